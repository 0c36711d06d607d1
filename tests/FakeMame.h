// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A working folder holding the fake MAME as ./mame, and the real runner with
// a note of every run, so MAME's runs are exercised for real.

#include "TestFolders.h"
#include "launch/MameRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <list>
#include <optional>
#include <vector>

class FakeMameFolder : public WorkingFolder {
  public:
    FakeMameFolder() {
        QDir().mkdir(QStringLiteral("tmp"));
        set("FAKEMAME_LOG", path() + "/play.log");
        set("TEMP", path() + "/tmp");
        for (const char* name :
             {"FAKEMAME_FIXTURES", "FAKEMAME_MODERN", "FAKEMAME_SLEEP", "FAKEMAME_CRASH",
              "FAKEMAME_IGNORE_TERM", "FAKEMAME_PLAY_STDOUT", "FAKEMAME_PLAY_STDERR",
              "FAKEMAME_PLAY_SIGNAL", "FAKEMAME_PLAY_STATUS", "FAKEMAME_EXIT", "FAKEMAME_ENDLESS",
              "FAKEMAME_PLAY_SLEEP", "FAKEMAME_PIDS", "FAKEMAME_CHILD", "FAKEMAME_LISTXML",
              "FAKEMAME_BUILD", "FAKEMAME_ROMPATH", "FAKEMAME_ARGS", "FAKEMAME_AUDIT_CRASH"})
            m_env.emplace_back(name, std::nullopt);
    }

    ~FakeMameFolder() {
        while (!m_env.empty())
            m_env.pop_back(); // newest first, so each variable gets its first value back
    }

    void set(const char* name, const QString& value) {
        m_env.emplace_back(name, value.toLocal8Bit());
    }

    // What the fake MAME was asked to play, one line per run.
    QStringList playLog() const {
        return QString::fromLocal8Bit(readAll(path() + "/play.log"))
            .split('\n', Qt::SkipEmptyParts);
    }

    // Entries left in the temporary folder.
    QStringList tempLeftovers() const {
        return QDir(path() + "/tmp")
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

  private:
    std::list<ScopedEnv> m_env;
};

// The real runner, noting each request.
class RecordingRunner : public MameRunner {
  public:
    std::unique_ptr<MameRun> create(const MameRunRequest& request) override {
        requests.push_back(request);
        return MameRunner::create(request);
    }
    std::vector<MameRunRequest> requests;
};

// Calls `start`, then runs the event loop until `sender` emits `signal` (up to
// `seconds`); gives back what the signal carried, or nothing when it never came.
template <class T, class Sender, class Signal, class Start>
std::optional<T> await(Sender& sender, Signal signal, Start start, int seconds = 20) {
    std::optional<T> got;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        QObject::connect(&sender, signal, &loop, [&](const T& value) {
            got = value;
            loop.quit();
        });
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    start();
    if (!got)
        loop.exec();
    QObject::disconnect(connection);
    return got;
}

// Runs the event loop until `condition` holds (up to `seconds`); false when it never did.
template <class Condition> bool waitUntil(Condition condition, int seconds = 20) {
    QDeadlineTimer deadline(seconds * 1000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// A small database: a parent and its clone, games of a few drivers.
inline const QByteArray kSevenGames = "Final Fight (World)|ffight||cps1\r\n"
                                      "Final Fight (US)|ffightu|ffight|cps1\r\n"
                                      "Metal Slug|mslug||neogeo\r\n"
                                      "Pac-Man (Midway)|pacman|puckman|pacman\r\n"
                                      "Street Fighter Alpha|sfa||cps2\r\n"
                                      "Alpha Mission II|alpham2||neogeo\r\n"
                                      "pac-land|pacland||pacland\r\n";
