// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameRun.h"

#include "launch/OutputPipe.h"
#include "launch/OwnChannel.h"
#include "launch/ProcessGroup.h"
#include "launch/SignalNames.h"
#include "text/MessageText.h"
#include "text/SystemPath.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kGraceMilliseconds = 2000;

qint64 countLines(const QByteArray& chunk, const QByteArray& counted, QByteArray& partial) {
    if (counted.isEmpty())
        return chunk.count('\n');
    qint64 lines = 0;
    qsizetype start = 0;
    for (qsizetype end = chunk.indexOf('\n'); end >= 0; end = chunk.indexOf('\n', start)) {
        if (partial.isEmpty()) {
            if (QByteArrayView(chunk).sliced(start, end - start).contains(counted))
                ++lines;
        } else {
            partial += QByteArrayView(chunk).sliced(start, end - start);
            if (partial.contains(counted))
                ++lines;
            partial.clear();
        }
        start = end + 1;
    }
    partial += QByteArrayView(chunk).sliced(start);
    // Only the part that can still complete the text needs keeping.
    if (partial.size() > counted.size() * 4 + 4096 && !partial.contains(counted))
        partial = partial.right(counted.size());
    return lines;
}

// Adds `chunk` to `tail`, keeping only its last kKeptTailBytes, from the
// start of a line.
void keepTail(QByteArray& tail, const QByteArray& chunk) {
    tail += chunk;
    if (tail.size() <= kKeptTailBytes)
        return;
    tail.remove(0, tail.size() - kKeptTailBytes);
    tail.remove(0, tail.indexOf('\n') + 1);
}

} // namespace

MameRun::MameRun(MameRunRequest request) : m_request(std::move(request)) {
    m_grace.setSingleShot(true);
    connect(&m_grace, &QTimer::timeout, this, [this] { endGroup(true); });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &MameRun::readOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this, &MameRun::readErrors);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // Reported from the event loop, also when start() itself fails.
        if (error == QProcess::FailedToStart)
            QMetaObject::invokeMethod(
                this,
                [this, why = m_process.errorString()] {
                    finish({RunEnd::FailedToStart, 0, why});
                },
                Qt::QueuedConnection);
    });
    connect(&m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                readOutput();
                readErrors();
                if (m_cancelled)
                    return finish({RunEnd::Cancelled, 0, {}});
                if (!m_writeFailure.isEmpty())
                    return finish({RunEnd::OutputNotWritten, 0, m_writeFailure});
                if (m_output.isOpen() && !m_output.flush())
                    failWriting(m_output);
                if (m_errors.isOpen() && !m_errors.flush())
                    failWriting(m_errors);
                if (!m_writeFailure.isEmpty())
                    return finish({RunEnd::OutputNotWritten, 0, m_writeFailure});
                if (status == QProcess::CrashExit) // the code is the signal
                    return finish({RunEnd::Crashed, exitCode, exitSignalText(m_process)});
                finish({RunEnd::Finished, exitCode, {}});
            });
}

MameRun::~MameRun() {
    closeDescriptor(m_outputPipe);
    if (running()) {
        // The front end is going away: MAME and what it started go with it,
        // asked first and forced after the grace.
        m_cancelled = true;
        if (m_pid > 0 && !m_grace.isActive()) {
            endGroup(false);
            m_process.waitForFinished(kGraceMilliseconds);
        }
        if (m_process.state() != QProcess::NotRunning) {
            endGroup(true);
            m_process.waitForFinished(kGraceMilliseconds);
        }
        killProcessGroupRemains(m_pid);
    }
    m_guard.release();
}

void MameRun::start() {
    m_started = true;
    for (auto [file, name] :
         {std::pair{&m_output, m_request.outputFile}, std::pair{&m_errors, m_request.errorFile}}) {
        if (name.isEmpty())
            continue;
        file->setFileName(name);
        // Opened by the path's own bytes (systemPath), which QFile would not keep.
        const int fd =
            ::open(systemPath(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0 || !file->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            const QString why = tr("%1 could not be created: %2")
                                    .arg(name, fd < 0 ? systemReason(errno) : file->errorString());
            if (fd >= 0)
                ::close(fd);
            QTimer::singleShot(0, this, [this, why] {
                finish({RunEnd::OutputNotWritten, 0, why});
            });
            return;
        }
    }
    if (!m_request.ownChannels && m_request.outputFile.isEmpty() && m_request.errorFile.isEmpty())
        m_process.setStandardErrorFile(QProcess::nullDevice());
    ChildSetup setup;
    setup.guard = m_guard.childEnd();
    QString program = m_request.program;
    if (!m_request.workingFolder.isEmpty()) {
        setup.folder = systemPath(m_request.workingFolder); // entered by the child
        if (QDir::isRelativePath(program)) // from the front end's folder, not the run's
            program = QDir::current().absoluteFilePath(program);
    }
    int pipeInput = -1;
    if (m_request.outputToPipe) {
        const Outcome<std::pair<int, int>> pipe = makeOutputPipe();
        if (!pipe.ok()) {
            QTimer::singleShot(0, this, [this, why = pipe.failure()] {
                finish({RunEnd::OutputNotWritten, 0,
                        tr("No pipe could be made for MAME's output: %1").arg(why)});
            });
            return;
        }
        std::tie(m_outputPipe, pipeInput) = pipe.value();
        m_process.setStandardOutputFile(QProcess::nullDevice()); // replaced in the child
    }
    setup.output = pipeInput;
    prepareChildProcess(m_process, setup);
    m_process.setProgram(program);
    m_process.setArguments(m_request.arguments);
    m_process.start(QIODevice::ReadOnly);
    m_pid = m_process.processId();
    // Only MAME writes to the pipe: its end is closed when MAME is done.
    closeDescriptor(pipeInput);
    m_guard.childStarted();
}

void MameRun::cancel() {
    if (!running() || m_cancelled)
        return;
    m_cancelled = true;
    endGroup(false);
    m_grace.start(kGraceMilliseconds);
}

void MameRun::endGroup(bool hard) {
    if (m_pid > 0)
        endProcessGroup(m_pid, hard);
    else if (hard)
        m_process.kill();
}

void MameRun::readOutput() {
    const QByteArray chunk = m_process.readAllStandardOutput();
    if (m_request.ownChannels) {
        writeToOwnChannel(OwnChannel::Output, chunk);
        return keepTail(m_outputTail, chunk);
    }
    if (chunk.isEmpty() || m_cancelled || !m_writeFailure.isEmpty())
        return;
    m_outputBytes += chunk.size();
    if (m_request.outputLimit > 0 && m_outputBytes > m_request.outputLimit)
        return passOutputLimit();
    if (m_output.isOpen() && m_output.write(chunk) != chunk.size())
        return failWriting(m_output);
    const qint64 lines =
        m_request.countLines ? countLines(chunk, m_request.countedText, m_partialLine) : 0;
    emit outputArrived(chunk);
    if (lines > 0) {
        m_counted += lines;
        emit linesCounted(m_counted);
    }
}

void MameRun::passOutputLimit() {
    if (!m_writeFailure.isEmpty())
        return;
    m_writeFailure = tr("MAME printed more than %1 bytes, more than %2")
                         .arg(formatCount(m_request.outputLimit), m_request.limitText);
    if (running())
        endGroup(true);
}

void MameRun::readErrors() {
    const QByteArray chunk = m_process.readAllStandardError();
    if (m_request.ownChannels) {
        writeToOwnChannel(OwnChannel::Errors, chunk);
        return keepTail(m_errorTail, chunk);
    }
    if (chunk.isEmpty() || m_cancelled || !m_writeFailure.isEmpty())
        return;
    m_errorBytes += chunk.size();
    if (m_request.outputLimit > 0 && m_errorBytes > m_request.outputLimit)
        return passOutputLimit();
    if (m_errors.isOpen() && m_errors.write(chunk) != chunk.size())
        failWriting(m_errors);
}

void MameRun::failWriting(const QFile& file) {
    if (!m_writeFailure.isEmpty())
        return;
    m_writeFailure = tr("%1 could not be written: %2").arg(file.fileName(), file.errorString());
    // Nothing more can be kept, so MAME need not go on.
    if (running())
        endGroup(true);
}

void MameRun::finish(RunResult result) {
    if (m_done)
        return;
    m_done = true;
    m_grace.stop();
    // MAME has ended; what it started and left behind (a child that ignored
    // the request to end) goes with it.
    if (m_started && m_process.state() == QProcess::NotRunning)
        killProcessGroupRemains(m_pid);
    m_guard.release(); // a guard still there ends what is left
    m_output.close();
    m_errors.close();
    result.outputTail = m_outputTail;
    result.errorTail = m_errorTail;
    emit finished(result);
}
