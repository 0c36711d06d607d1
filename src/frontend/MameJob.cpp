// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/MameJob.h"

#include "frontend/OutputReader.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QThread>

namespace {

const char* const kCancelled =
    QT_TRANSLATE_NOOP("MameJob", "Cancelled. The database was not changed.");
constexpr qsizetype kLongestHeader = 4096;
// Progress is shown at a human rate: at most ten times a second.
constexpr int kProgressMilliseconds = 100;
// A configuration is a few kilobytes.
constexpr qint64 kMostConfigurationOutput = qint64{1} << 20;

} // namespace

MameJob::MameJob(MameRunner& runner, MameSetup& mame) : m_runner(runner), m_mame(mame) {
    m_progressTurn.setSingleShot(true);
    connect(&m_progressTurn, &QTimer::timeout, this, &MameJob::showPendingProgress);
    m_poll.setInterval(kProgressMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (m_reader)
            m_reader->wake();
        m_readerPoll();
    });
}

MameJob::~MameJob() {
    abandon();
}

void MameJob::abandon() {
    // A run still going ends here, and no step follows it.
    if (m_run) {
        disconnect(m_run.get(), nullptr, this, nullptr);
        m_run.reset();
    }
    m_poll.stop();
    m_reader.reset(); // stops the reading and waits for it
    if (m_worker) {
        disconnect(m_worker, nullptr, this, nullptr);
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
}

void MameJob::cancel() {
    if (m_finished || m_cancelled)
        return;
    Stage open = Stage::Open;
    if (!m_stage.compare_exchange_strong(open, Stage::Cancelled))
        return; // the change is being made: it is seen through
    m_cancelled = true;
    if (m_run && m_run->running())
        m_run->cancel();
}

MameRunRequest MameJob::mameRequest(const QStringList& arguments) const {
    MameRunRequest request;
    request.program = m_mame.program();
    request.arguments = arguments;
    if (m_temp)
        request.errorFile = m_temp->errorOutput();
    return request;
}

Outcome<Done> MameJob::makeTempFolder() {
    m_temp = std::make_unique<TempListingFolder>();
    if (m_temp->isValid())
        return Done{};
    const QString error = withNothingChanged(m_temp->errorText());
    m_temp.reset();
    return Failure{error};
}

void MameJob::runThen(const MameRunRequest& request, std::function<void(const RunResult&)> then) {
    if (m_cancelled) // stopped between two runs
        return finish(Failure::Cancelled(tr(kCancelled)));
    m_run = m_runner.create(request);
    m_outputLimit = request.outputLimit;
    connect(m_run.get(), &MameRun::finished, this,
            [this, then = std::move(then)](const RunResult& result) {
                // The run is still emitting: let it go once it has returned.
                m_run.release()->deleteLater();
                if (!m_reader) {
                    showProgressNow();
                    return then(result);
                }
                // The next step waits for the output to be read.
                connect(m_reader.get(), &OutputReader::ended, this, [this, then, result] {
                    m_reader.release()->deleteLater();
                    m_poll.stop();
                    std::exchange(m_readerPoll, {})();
                    showProgressNow();
                    then(result);
                });
                if (result.end == RunEnd::Finished)
                    m_reader->end();
                else
                    m_reader->stop();
            });
    if (!std::exchange(m_running, true))
        emit running();
    m_run->start();
}

void MameJob::readOutputInWorker(OutputReader::Read read, std::function<void()> poll) {
    if (const int pipe = m_run->takeOutputPipe(); pipe >= 0) {
        m_reader = std::make_unique<OutputReader>(pipe, m_outputLimit, std::move(read));
    } else {
        m_reader = std::make_unique<OutputReader>(std::move(read));
        connect(m_run.get(), &MameRun::outputArrived, m_reader.get(), &OutputReader::append);
    }
    // What the reader gives up on ends the run; its end follows as usual.
    connect(m_reader.get(), &OutputReader::gaveUp, this, [this](bool passedLimit) {
        if (!m_run)
            return;
        if (passedLimit)
            m_run->passOutputLimit();
        else if (m_run->running())
            m_run->cancel();
    });
    m_readerPoll = std::move(poll);
    m_poll.start();
}

void MameJob::workThen(std::function<void()> work, std::function<void()> then) {
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, then = std::move(then)] {
        m_worker->deleteLater();
        m_worker = nullptr;
        if (m_cancelled)
            return finish(Failure::Cancelled(tr(kCancelled)));
        then();
    });
    m_worker->start();
}

void MameJob::askThen(const QString& doing, std::function<void(const RunResult&)> then) {
    m_configuration.clear();
    MameRunRequest request = mameRequest(showConfigArguments());
    request.outputLimit = kMostConfigurationOutput;
    request.limitText = QCoreApplication::translate("MameJob", "any configuration");
    runThen(request, [this, then](const RunResult& result) {
        if (result.end != RunEnd::Finished)
            return then(result);
        // Read on a thread of its own, like every other output of MAME's.
        auto folders = std::make_shared<MameFolders>();
        workThen(
            [folders, output = std::exchange(m_configuration, {})] {
                *folders = mameFoldersFrom(decodeText(output));
            },
            [this, then, result, folders] {
                m_mame.learnConfiguration(*folders);
                then(result);
            });
    });
    connect(m_run.get(), &MameRun::outputArrived, this,
            [this](const QByteArray& chunk) { m_configuration += chunk; });
    reportProgress(doing, 0, 0);
}

void MameJob::watchListingHeader(bool headerOnly) {
    m_header.clear();
    m_headerGeneration.reset();
    connect(m_run.get(), &MameRun::outputArrived, this,
            [this, headerOnly](const QByteArray& chunk) {
                if (m_headerGeneration)
                    return;
                m_header += chunk;
                const qsizetype end = m_header.indexOf('\n');
                if (end < 0 && m_header.size() < kLongestHeader)
                    return;
                QByteArray line = m_header.left(end < 0 ? m_header.size() : end);
                if (line.endsWith('\r'))
                    line.chop(1);
                m_headerGeneration = generationFromListFullHeader(QString::fromLocal8Bit(line));
                // A current MAME's text listings are of no use: end it at once.
                if (headerOnly || *m_headerGeneration == MameGeneration::Current)
                    m_run->cancel();
            });
}

std::optional<Failure> MameJob::runFailure(const RunResult& result, const QString& what) const {
    QString failure;
    switch (result.end) {
    case RunEnd::FailedToStart:
        failure = tr("MAME could not be started for %1: %2").arg(what, result.detail);
        break;
    case RunEnd::Crashed:
        failure = tr("MAME ended abnormally, by %1, while %2.").arg(result.detail, what);
        break;
    case RunEnd::OutputNotWritten:
        failure = tr("MAME's output could not be kept while %1: %2").arg(what, result.detail);
        break;
    case RunEnd::Cancelled:
        return Failure::Cancelled(tr(kCancelled));
    case RunEnd::Finished:
        return std::nullopt;
    }
    return Failure{withNothingChanged(failure)};
}

void MameJob::reportProgress(const QString& text, qint64 value, qint64 total) {
    m_pendingProgress = Progress{text, value, total};
    if (m_progressTurn.isActive())
        return;
    const qint64 wait = m_sinceShown.isValid() ? kProgressMilliseconds - m_sinceShown.elapsed() : 0;
    if (wait <= 0)
        return showPendingProgress();
    m_progressTurn.start(static_cast<int>(wait));
}

void MameJob::reportStep(const QString& text, qint64 value, qint64 total) {
    showProgressNow();
    m_pendingProgress = Progress{text, value, total};
    showPendingProgress();
}

void MameJob::showProgressNow() {
    m_progressTurn.stop();
    showPendingProgress();
}

void MameJob::showPendingProgress() {
    if (!m_pendingProgress)
        return;
    const Progress progress = *std::exchange(m_pendingProgress, std::nullopt);
    if (progress == m_shownProgress)
        return;
    m_shownProgress = progress;
    m_sinceShown.start();
    emit progressChanged(progress.text, progress.value, progress.total);
}

bool MameJob::passCommitPoint() {
    Stage open = Stage::Open;
    return m_stage.compare_exchange_strong(open, Stage::Committed);
}

void MameJob::finish(const Outcome<JobResult>& outcome) {
    if (std::exchange(m_finished, true))
        return;
    m_progressTurn.stop();
    m_pendingProgress.reset();
    m_temp.reset(); // MAME's output is gone from here on, whatever the outcome
    emit finished(outcome);
}

QString withNothingChanged(const QString& failure) {
    return failure + QStringLiteral("\n\n") +
           QCoreApplication::translate("MameJob", "The database was not changed.");
}
