#pragma once

// A working folder holding the fake MAME as ./mame, with the real process
// runner behind the scripted seam, so command lines go through the real shell.

#include "ScriptedSeam.h"
#include "launch/ProcessRunner.h"

#include <QFile>
#include <QTemporaryDir>

class FakeMameFolder : public WorkingFolder {
  public:
    FakeMameFolder() {
        QFile::link(QStringLiteral(COINSLOT_FAKEMAME), QStringLiteral("mame"));
        QDir().mkdir(QStringLiteral("tmp"));
        Set("FAKEMAME_LOG", path() + "/play.log");
        Set("TEMP", path() + "/tmp");
        Unset("FAKEMAME_FIXTURES");
        Unset("FAKEMAME_MODERN");
    }
    ~FakeMameFolder() {
        for (const QByteArray& name : saved_)
            qunsetenv(name.constData());
    }

    void Set(const char* name, const QString& value) {
        qputenv(name, value.toLocal8Bit());
        saved_.append(name);
    }
    void Unset(const char* name) { qunsetenv(name); }

    // Connects the seam's runs to the real runner.
    static void RunForReal(ScriptedSeam& seam) {
        seam.onRun = [](const QString& line, qint16 hide) {
            ProcessRunner().RunAndWait(line, hide);
        };
    }

    // What the fake MAME was asked to play, one line per run.
    QStringList PlayLog() const {
        QFile log(path() + "/play.log");
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    // Entries left in the temporary folder.
    QStringList TempLeftovers() const {
        return QDir(path() + "/tmp")
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

  private:
    QList<QByteArray> saved_;
};
