#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>
#include <functional>

class QThread;

// Reads a MAME run's output on a thread of its own while MAME runs, so that
// the GUI thread does no more per chunk than append it: the thread hands the
// chunks, in the order they came, to `read`. Whatever `read` touches belongs
// to that thread until the reading has ended.
class OutputReader : public QObject {
    Q_OBJECT

  public:
    explicit OutputReader(std::function<void(const QByteArray&)> read);
    // Stops the reading and waits for the thread.
    ~OutputReader() override;

    // The next piece of the output. The thread reads once a good piece has
    // come (a megabyte), or when woken.
    void append(const QByteArray& chunk);
    // Has the thread read what has come so far.
    void wake();
    // The output is whole: the rest is read, then ended() follows.
    void end();
    // The rest is not wanted: the reading stops soon, then ended() follows.
    void stop();

  signals:
    void ended();

  private:
    void readAll();

    const std::function<void(const QByteArray&)> m_read;
    QThread* m_thread = nullptr;
    QMutex m_mutex;
    QWaitCondition m_more;
    QByteArray m_pending; // appended, not yet taken by the thread
    bool m_whole = false;
    bool m_stopped = false;
};
