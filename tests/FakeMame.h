#pragma once

// A working folder holding the fake MAME as ./mame, with the real process
// runner behind the scripted seam, so command lines go through the real shell.

#include "ScriptedSeam.h"
#include "launch/ProcessRunner.h"

#include <list>

class FakeMameFolder : public WorkingFolder {
  public:
    FakeMameFolder() {
        QDir().mkdir(QStringLiteral("tmp"));
        Set("FAKEMAME_LOG", path() + "/play.log");
        Set("TEMP", path() + "/tmp");
        env_.emplace_back("FAKEMAME_FIXTURES", std::nullopt);
        env_.emplace_back("FAKEMAME_MODERN", std::nullopt);
    }

    ~FakeMameFolder() {
        while (!env_.empty())
            env_.pop_back(); // newest first, so each variable gets its first value back
    }

    void Set(const char* name, const QString& value) {
        env_.emplace_back(name, value.toLocal8Bit());
    }

    // Connects the seam's runs to the real runner.
    static void RunForReal(ScriptedSeam& seam) {
        seam.onRun = [](const QString& line, qint16 hide) {
            ProcessRunner().RunAndWait(line, hide);
        };
    }

    // What the fake MAME was asked to play, one line per run.
    QStringList PlayLog() const {
        return QString::fromLocal8Bit(ReadAll(path() + "/play.log"))
            .split('\n', Qt::SkipEmptyParts);
    }

    // Entries left in the temporary folder.
    QStringList TempLeftovers() const {
        return QDir(path() + "/tmp")
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

  private:
    std::list<ScopedEnv> env_;
};
