// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "frontend/JobResult.h"
#include "frontend/MameSetup.h"
#include "frontend/OutputReader.h"
#include "launch/MameRun.h"
#include "launch/TempListingFolder.h"
#include "text/Outcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThread;

// One command that runs MAME (List, Audit, an ini file, Play), from start to
// finish. The base owns what every such command needs: the run of MAME in
// progress, the private temporary folder for its output, the thread that
// reads that output, progress, Cancel, and the one result at the end. A
// command is written as named steps: each starts a run or a piece of work and
// names the step that continues when it is done.
class MameJob : public QObject {
    Q_OBJECT

  public:
    MameJob(MameRunner& runner, MameSetup& mame);
    ~MameJob() override;

    // Starts the command. finished() follows once, later; a command that
    // needs no run of MAME may finish within this call.
    virtual void start() = 0;
    // Ends MAME and everything it started; the command then finishes as
    // cancelled, having changed nothing.
    void cancel();
    // Why the store's part of the command failed when that said the store is
    // damaged (List and Audit); nothing otherwise.
    virtual std::optional<QString> storeDamage() const { return std::nullopt; }
    // Ends the job at once, for the front end going away: MAME and what it
    // started end, the worker is waited for, and nothing more is reported.
    // Called while the job is whole, before any part of it is destroyed.
    void abandon();

  signals:
    // The command has started its first run of MAME.
    void running();
    // What it is doing, and how far it is (total 0: unknown).
    void progressChanged(const QString& text, qint64 value, qint64 total);
    void finished(const Outcome<JobResult>& outcome);

  protected:
    // Runs MAME as `request` says; `then` continues with how the run ended.
    template <class Job>
    void run(const MameRunRequest& request, void (Job::*then)(const RunResult&)) {
        runThen(request, [job = static_cast<Job*>(this), then](const RunResult& result) {
            (job->*then)(result);
        });
    }
    // Reads the output of the run just started on a thread of its own:
    // `read` gets it there, in order, straight from the run's pipe when the
    // request asked for one (MameRunRequest::outputToPipe), else as the GUI
    // thread appends each chunk that arrives. The step that follows the run waits until the whole
    // output has been read (or, when the run did not finish, until the
    // reading has stopped). `poll` tells, on this thread, how far the reading
    // is: about ten times a second while it goes on, and once at its end.
    // `read` returns false when it wants no more: the run is then ended.
    void readOutputInWorker(OutputReader::Read read, std::function<void()> poll);
    // Does `work` on a thread of its own, so that reading and sorting a
    // million games never stops the window from painting; `then` continues
    // on this thread. A Cancel meanwhile finishes the command instead.
    template <class Job> void inWorker(std::function<void()> work, void (Job::*then)()) {
        workThen(std::move(work), [job = static_cast<Job*>(this), then] { (job->*then)(); });
    }

    // Asks MAME for its configuration (-showconfig, at most a megabyte),
    // saying `doing` meanwhile, and when the run finished learns its folders
    // from it (MameSetup::learnConfiguration), read on a worker thread; `then`
    // continues with how the run ended.
    template <class Job>
    void askConfiguration(const QString& doing, void (Job::*then)(const RunResult&)) {
        askThen(doing, [job = static_cast<Job*>(this), then](const RunResult& result) {
            (job->*then)(result);
        });
    }

    // A request to run MAME itself with `arguments`; its standard error goes
    // to the temporary folder when there is one.
    MameRunRequest mameRequest(const QStringList& arguments) const;
    // Makes the private folder for MAME's output.
    Outcome<Done> makeTempFolder();
    const TempListingFolder& temp() const { return *m_temp; }
    // The run in progress, to follow its output.
    MameRun& currentRun() { return *m_run; }
    MameSetup& mame() { return m_mame; }
    bool cancelled() const { return m_cancelled; }

    // Follows the first line of the run in progress (MAME's -listfull), which
    // tells which generation MAME is. A current MAME's run is ended at once,
    // as is every run with `headerOnly`.
    void watchListingHeader(bool headerOnly);
    const std::optional<MameGeneration>& headerGeneration() const { return m_headerGeneration; }

    // Why the run did not give what `what` needed: nothing when it finished;
    // a cancelled failure when the user stopped it; else a message that ends
    // by saying the database was not changed.
    std::optional<Failure> runFailure(const RunResult& result, const QString& what) const;
    // How far the command is, shown at most ten times a second: a report
    // that comes sooner waits for its turn, and a newer one takes its place.
    void reportProgress(const QString& text, qint64 value, qint64 total);
    // A new step of the command, shown at once, after the last report of the
    // step before it.
    void reportStep(const QString& text, qint64 value, qint64 total);
    // Ends the command: the temporary folder goes, then finished() is emitted.
    void finish(const Outcome<JobResult>& outcome);
    void finish(JobResult result) { finish(Outcome<JobResult>(std::move(result))); }
    // On the worker (inWorker), right before the command makes its change for
    // good: false when the user cancelled it first, and then it must change
    // nothing. Once it has given true, a Cancel no longer stops the command,
    // which goes on to report what it did.
    bool passCommitPoint();

  private:
    struct Progress {
        QString text;
        qint64 value = 0;
        qint64 total = 0;
        bool operator==(const Progress&) const = default;
    };

    void runThen(const MameRunRequest& request, std::function<void(const RunResult&)> then);
    void workThen(std::function<void()> work, std::function<void()> then);
    void askThen(const QString& doing, std::function<void(const RunResult&)> then);
    void showPendingProgress();
    // Shows what waits for its turn at once: a run's last report is always
    // shown.
    void showProgressNow();

    MameRunner& m_runner;
    MameSetup& m_mame;
    std::unique_ptr<MameRun> m_run;
    std::unique_ptr<TempListingFolder> m_temp;
    QThread* m_worker = nullptr;
    std::unique_ptr<OutputReader> m_reader;
    qint64 m_outputLimit = 0; // the run's
    std::function<void()> m_readerPoll;
    QTimer m_poll; // asks m_readerPoll while the reader reads
    std::optional<Progress> m_pendingProgress;
    std::optional<Progress> m_shownProgress;
    QElapsedTimer m_sinceShown;
    QTimer m_progressTurn; // shows the pending report when its turn comes
    bool m_cancelled = false;
    // Whether the command was cancelled, or passed its commit point: the one
    // that came first holds.
    enum class Stage { Open, Cancelled, Committed };
    std::atomic<Stage> m_stage = Stage::Open;
    bool m_running = false;
    bool m_finished = false;
    QByteArray m_header;
    QByteArray m_configuration; // what -showconfig printed
    std::optional<MameGeneration> m_headerGeneration;
};

// `failure` with the end of every message of a List or Audit that changed
// nothing: an empty line, then "The database was not changed."
QString withNothingChanged(const QString& failure);
