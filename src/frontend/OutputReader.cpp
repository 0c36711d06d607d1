// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/OutputReader.h"

#include "launch/OutputPipe.h"

#include <QThread>

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr qsizetype kWakingBytes = 1 << 20;
constexpr qsizetype kPipeReadBytes = 256 * 1024;
// After a short read, the pipe is given this long to fill before the next:
// fewer, larger reads, while MAME writes on into the pipe's megabyte.
constexpr int kPipeFillMilliseconds = 10;

} // namespace

OutputReader::OutputReader(Read read) : m_read(std::move(read)) {
    start([this] { readAppended(); });
}

OutputReader::OutputReader(int descriptor, qint64 limit, Read read)
    : m_read(std::move(read)), m_limit(limit), m_pipe(descriptor),
      m_signal(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    start([this] { readPipe(); });
}

void OutputReader::start(std::function<void()> body) {
    m_thread = QThread::create(std::move(body));
    connect(m_thread, &QThread::finished, this, &OutputReader::ended);
    m_thread->start();
}

OutputReader::~OutputReader() {
    disconnect(m_thread, nullptr, this, nullptr);
    stop();
    m_thread->wait();
    delete m_thread;
    closeDescriptor(m_pipe);
    closeDescriptor(m_signal);
}

void OutputReader::append(const QByteArray& chunk) {
    const QMutexLocker lock(&m_mutex);
    if (m_whole || m_stopped)
        return;
    m_pending += chunk;
    // The thread is woken for a good piece at a time, not for every chunk.
    if (m_pending.size() >= kWakingBytes)
        m_more.wakeOne();
}

void OutputReader::wake() {
    const QMutexLocker lock(&m_mutex);
    if (!m_pending.isEmpty())
        m_more.wakeOne();
}

void OutputReader::end() {
    const QMutexLocker lock(&m_mutex);
    m_whole = true;
    m_more.wakeOne();
    signalPipeReader();
}

void OutputReader::stop() {
    const QMutexLocker lock(&m_mutex);
    m_stopped = true;
    m_pending.clear();
    m_more.wakeOne();
    signalPipeReader();
}

void OutputReader::signalPipeReader() {
    if (m_signal >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_signal, &one, sizeof one);
    }
}

void OutputReader::readAppended() {
    for (;;) {
        QByteArray chunk;
        {
            QMutexLocker lock(&m_mutex);
            while (m_pending.isEmpty() && !m_whole && !m_stopped)
                m_more.wait(&m_mutex);
            if (m_stopped || m_pending.isEmpty())
                return;
            chunk.swap(m_pending);
        }
        if (!m_read(chunk))
            return giveUp(false);
    }
}

void OutputReader::giveUp(bool passedLimit) {
    QMetaObject::invokeMethod(
        this, [this, passedLimit] { emit gaveUp(passedLimit); }, Qt::QueuedConnection);
    QMutexLocker lock(&m_mutex);
    m_pending.clear();
    while (!m_whole && !m_stopped) {
        if (m_pipe >= 0) { // told through the event descriptor
            lock.unlock();
            waitForPipe(-1, false);
            lock.relock();
        } else {
            m_more.wait(&m_mutex);
        }
    }
}

void OutputReader::readPipe() {
    if (!readFromPipe())
        return;
    // The end of the pipe may come before the run's: the reading ends when
    // it is told to, as reading what is appended does.
    bool told = false;
    while (!told) {
        waitForPipe(-1, false);
        const QMutexLocker lock(&m_mutex);
        told = m_whole || m_stopped;
    }
}

bool OutputReader::readFromPipe() {
    QByteArray buffer(kPipeReadBytes, Qt::Uninitialized);
    for (;;) {
        bool whole = false;
        {
            const QMutexLocker lock(&m_mutex);
            if (m_stopped)
                return true;
            whole = m_whole;
        }
        const ssize_t got = ::read(m_pipe, buffer.data(), static_cast<size_t>(buffer.size()));
        if (got > 0) {
            m_readBytes += got;
            if (m_limit > 0 && m_readBytes > m_limit) {
                giveUp(true);
                return false;
            }
            if (!m_read(QByteArray::fromRawData(buffer.constData(), got))) {
                giveUp(false);
                return false;
            }
            if (got < buffer.size() && !whole)
                waitForPipe(kPipeFillMilliseconds, false);
        } else if (got == 0) {
            return true; // every writer has closed the pipe
        } else if (errno == EAGAIN) {
            // Empty: once MAME has ended, everything it wrote has been read.
            if (whole)
                return true;
            waitForPipe(-1, true);
        } else if (errno != EINTR) {
            return true; // the run reports how MAME ended
        }
    }
}

void OutputReader::waitForPipe(int milliseconds, bool forOutput) {
    pollfd watched[] = {{m_signal, POLLIN, 0}, {m_pipe, POLLIN, 0}};
    ::poll(watched, forOutput ? 2 : 1, milliseconds);
}
