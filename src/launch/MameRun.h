// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/GroupGuard.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <utility>

// One run of MAME (or of the shell, for Play), started without a shell unless
// the request names one, and followed asynchronously: the caller's event loop
// keeps running while MAME does.
struct MameRunRequest {
    QString program;        // started as it is: no shell, no quoting (relative: from our folder)
    QStringList arguments;  // each reaches the program as one argument, "*" included
    QString workingFolder;  // empty: the front end's own
    QString outputFile;     // standard output is written here (empty: kept nowhere)
    QString errorFile;      // standard error is written here (empty: kept nowhere)
    QByteArray countedText; // output lines holding this are counted (empty: every line)
    // Whether output lines are counted at all: a run whose output is read
    // elsewhere (on a worker thread) need not be scanned here too.
    bool countLines = true;
    // Standard output goes to a pipe of its own instead, which another
    // thread reads (takeOutputPipe()): the front end's event loop never sees
    // it, nothing arrives through outputArrived() and no line is counted.
    bool outputToPipe = false;
    // MAME's output and errors reach the front end's own channels as they
    // come, and the last of each is kept for the result (Play).
    bool ownChannels = false;
    // More standard output than this, or more standard error, ends the run (0:
    // no limit), with a message that ends "more than " and `limitText`.
    qint64 outputLimit = 0;
    QString limitText = QStringLiteral("any listing");
};

// How a run ended.
enum class RunEnd {
    Finished,         // MAME ended by itself, with some exit status
    FailedToStart,    // the program could not be started
    Crashed,          // MAME was ended by a signal
    OutputNotWritten, // its output could not be written whole, or passed the output limit
    Cancelled,        // ended on request
};

struct RunResult {
    RunResult(RunEnd end = RunEnd::Finished, int exitCode = 0, QString detail = {})
        : end(end), exitCode(exitCode), detail(std::move(detail)) {}

    RunEnd end = RunEnd::Finished;
    int exitCode = 0; // Finished: the exit status; Crashed: the signal
    QString detail;   // FailedToStart, Crashed, OutputNotWritten: what happened, for a message
    // With ownChannels: the last whole lines of standard output and standard
    // error (up to kKeptTailBytes each).
    QByteArray outputTail;
    QByteArray errorTail;
};

inline constexpr qsizetype kKeptTailBytes = 64 * 1024;

class MameRun : public QObject {
    Q_OBJECT

  public:
    explicit MameRun(MameRunRequest request);
    ~MameRun() override;

    // Starts the run; the result arrives through finished(), never from
    // within this call.
    void start();
    // Ends MAME and everything it started: politely first, then for good
    // after a short grace. finished() then reports Cancelled.
    void cancel();
    bool running() const { return m_started && !m_done; }
    // With outputToPipe, once the run has started: the reading end of its
    // output pipe, which the caller then owns; -1 after the first call.
    int takeOutputPipe() { return std::exchange(m_outputPipe, -1); }
    // The output has passed the request's outputLimit (found by the reader
    // of the pipe): MAME is ended, and the run ends as OutputNotWritten.
    void passOutputLimit();

  signals:
    // Standard output as it arrives, already written to the output file.
    void outputArrived(const QByteArray& chunk);
    // The number of counted output lines so far.
    void linesCounted(qint64 count);
    // Once, at the end, whatever the way.
    void finished(const RunResult& result);

  private:
    void readOutput();
    void readErrors();
    void finish(RunResult result);
    void failWriting(const QFile& file);
    void endGroup(bool hard);

    MameRunRequest m_request;
    QProcess m_process;
    QFile m_output;
    QFile m_errors;
    QTimer m_grace;
    GroupGuard m_guard;
    QByteArray m_partialLine;
    QByteArray m_outputTail;
    QByteArray m_errorTail;
    qint64 m_counted = 0;
    qint64 m_outputBytes = 0;
    qint64 m_errorBytes = 0;
    qint64 m_pid = 0;
    int m_outputPipe = -1;
    bool m_started = false;
    bool m_cancelled = false;
    bool m_done = false;
    QString m_writeFailure;
};

// Starts MAME runs. The front end reaches processes only through this, so a
// test can note what is run or put something else in its place.
class MameRunner {
  public:
    virtual ~MameRunner() = default;
    // A run, not yet begun: connect to it, then call Begin().
    virtual std::unique_ptr<MameRun> create(const MameRunRequest& request) {
        return std::make_unique<MameRun>(request);
    }
};
