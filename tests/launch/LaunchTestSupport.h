#pragma once

// Shared by the launch tests: environment variables set for one test, and a
// fresh working folder that holds the fake MAME as "mame".

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
        Set(value);
    }
    ~ScopedEnv() { Set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_old;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Each test runs in its own temporary working folder, which holds a link
// "mame" to the fake MAME; the old working folder comes back afterwards.
class InWorkFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_work.isValid());
        ASSERT_TRUE(QFile::link(COINSLOT_FAKEMAME, m_work.filePath("mame")));
        m_oldFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_work.path()));
    }
    void TearDown() override { QDir::setCurrent(m_oldFolder); }

    QTemporaryDir m_work;
    QString m_oldFolder;
};
