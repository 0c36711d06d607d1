// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Working folders and environment variables set for one test.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

// Sets (or, with no value, removes) an environment variable and puts the old
// state back when it goes away.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<QByteArray> value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        set(value);
    }
    ~ScopedEnv() { set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// A fresh temporary folder made the working folder for one test, holding the
// fake MAME as "mame".
class WorkingFolder {
  public:
    WorkingFolder() : m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
        QFile::link(QStringLiteral(COINSLOT_FAKEMAME), QStringLiteral("mame"));
    }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

  private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A test that runs in its own working folder.
class InWorkFolder : public ::testing::Test {
  protected:
    WorkingFolder m_work;
};

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Writes `bytes` to the file `name` in `dir` and returns its path.
inline QString writeInto(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    writeAll(path, bytes);
    return path;
}
