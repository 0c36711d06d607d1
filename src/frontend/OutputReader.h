// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>
#include <functional>

class QThread;

// Reads a MAME run's output on a thread of its own while MAME runs, handing
// it, in order, to `read` there, which returns false when it wants no more.
// Whatever `read` touches belongs to that thread until the reading has ended;
// a chunk is valid during the call only.
//
// The output comes either from the GUI thread, which appends each chunk as
// MameRun receives it and does no more, or straight from the run's output
// pipe (MameRunRequest::outputToPipe), which the thread reads itself, so that
// the GUI thread never sees it.
class OutputReader : public QObject {
    Q_OBJECT

  public:
    using Read = std::function<bool(const QByteArray&)>;
    // Reads what append() gives.
    explicit OutputReader(Read read);
    // Reads the pipe `descriptor`, which it then owns, up to `limit` bytes
    // (0: no limit).
    OutputReader(int descriptor, qint64 limit, Read read);
    // Stops the reading and waits for the thread.
    ~OutputReader() override;

    // The next piece of the output. The thread reads once a good piece has
    // come (a megabyte), or when woken.
    void append(const QByteArray& chunk);
    // Has the thread read what has been appended so far.
    void wake();
    // The output is whole (MAME has ended): the rest is read, then ended()
    // follows.
    void end();
    // The rest is not wanted: the reading stops soon, then ended() follows.
    void stop();

  signals:
    // The reading stopped before the output's end: `read` wanted no more, or
    // the output passed its limit. ended() still follows end() or stop().
    void gaveUp(bool passedLimit);
    void ended();

  private:
    void start(std::function<void()> body);
    void readAppended();
    void readPipe();
    // Reads until the pipe is empty and MAME has ended; false when it gave up.
    bool readFromPipe();
    // Waits up to `milliseconds` (-1: for ever) for output in the pipe or a
    // call of end() or stop().
    void waitForPipe(int milliseconds, bool forOutput);
    void signalPipeReader();
    // Says why the reading stopped early and waits to be told to end.
    void giveUp(bool passedLimit);

    const Read m_read;
    const qint64 m_limit = 0;
    qint64 m_readBytes = 0;
    QThread* m_thread = nullptr;
    QMutex m_mutex;
    QWaitCondition m_more;
    QByteArray m_pending; // appended, not yet taken by the thread
    bool m_whole = false;
    bool m_stopped = false;
    int m_pipe = -1;   // the run's output pipe, when read from there
    int m_signal = -1; // an event descriptor that end() and stop() raise
};
