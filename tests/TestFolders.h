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
    ScopedEnv(const char* name, std::optional<QByteArray> value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(name_, *value);
        else
            qunsetenv(name_);
    }
    const char* name_;
    std::optional<QByteArray> old_;
};

// A fresh temporary folder made the working folder for one test, holding the
// fake MAME as "mame".
class WorkingFolder {
  public:
    WorkingFolder() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        QFile::link(QStringLiteral(COINSLOT_FAKEMAME), QStringLiteral("mame"));
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

// A test that runs in its own working folder.
class InWorkFolder : public ::testing::Test {
  protected:
    WorkingFolder m_work;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Writes `bytes` to the file `name` in `dir` and returns its path.
inline QString WriteInto(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    WriteAll(path, bytes);
    return path;
}
