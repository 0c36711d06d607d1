#include "frontend/OutputReader.h"

#include <QThread>

namespace {

constexpr qsizetype kWakingBytes = 1 << 20;

} // namespace

OutputReader::OutputReader(std::function<void(const QByteArray&)> read) : m_read(std::move(read)) {
    m_thread = QThread::create([this] { readAll(); });
    connect(m_thread, &QThread::finished, this, &OutputReader::ended);
    m_thread->start();
}

OutputReader::~OutputReader() {
    disconnect(m_thread, nullptr, this, nullptr);
    stop();
    m_thread->wait();
    delete m_thread;
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
}

void OutputReader::stop() {
    const QMutexLocker lock(&m_mutex);
    m_stopped = true;
    m_pending.clear();
    m_more.wakeOne();
}

void OutputReader::readAll() {
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
        m_read(chunk);
    }
}
