// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/CommandLine.h"
#include "TestFolders.h"

#include <QDirIterator>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString kVersion = QStringLiteral("9.8.7");

StartChoice choose(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/bin/coinslot"));
    return chooseStart(arguments, kVersion);
}

// Everything below `root`, for checking that nothing was made or changed.
QStringList tree(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next().mid(root.size());
    entries.sort();
    return entries;
}

// A bad usage: one line on stderr, status 2, no run.
void expectUsageError(const StartChoice& choice, const QStringList& arguments) {
    const std::string shown = arguments.join(' ').toStdString();
    EXPECT_FALSE(choice.run) << shown;
    EXPECT_EQ(choice.exitStatus, 2) << shown;
    EXPECT_TRUE(choice.text.startsWith("coinslot: ")) << shown;
    EXPECT_EQ(choice.text.count('\n'), 1) << shown;
    EXPECT_TRUE(choice.text.endsWith('\n')) << shown;
}

// Each case runs in a fresh working folder and finds it as it was unless it
// asks for a folder to be made.
class CommandLine : public InWorkFolder {
  protected:
    void SetUp() override { m_before = tree(m_work.path()); }
    void expectUntouched() const {
        EXPECT_EQ(tree(m_work.path()), m_before);
        EXPECT_EQ(QDir::currentPath(), m_work.path());
    }

  private:
    QStringList m_before;
};

TEST_F(CommandLine, HelpAndVersionPrintOnStdoutWithoutTouchingAnything) {
    for (const char* option : {"--help", "-h", "-help", "--version", "-v"}) {
        const StartChoice shown = choose({option, QStringLiteral("--folder"), "made"});
        EXPECT_FALSE(shown.run) << option;
        EXPECT_EQ(shown.exitStatus, 0) << option;
        if (QString(option).contains('v'))
            EXPECT_EQ(shown.text, "coinslot 9.8.7\n");
        else
            EXPECT_TRUE(shown.text.startsWith("Usage: coinslot [options]\n") &&
                        shown.text.contains("--folder <dir>") && shown.text.contains("--version"))
                << shown.text.toStdString();
    }
    expectUntouched();
}

TEST_F(CommandLine, BadUsageOrAFolderThatCannotBeMadeIsOneLineWithStatusTwoAndLeavesNothing) {
    writeAll("file", "x");
    const QList<QStringList> cases = {
        {"--bogus"},           {"-x"},           {"--folder", "made", "--bogus"},
        {"--bogus", "--help"}, {"stray"},        {"--folder", "made", "stray"},
        {"--folder"},          {"--folder", ""}, {"--folder="}};
    const QString tooLong = "new/deeper/" + QString(300, 'n');
    for (const QStringList& arguments : cases + QList<QStringList>{{"--folder", "file"},
                                                                   {"--folder", "file/sub"},
                                                                   {"--folder", tooLong}})
        expectUsageError(choose(arguments), arguments);
    EXPECT_EQ(tree(m_work.path()), QStringList({"/file", "/mame"}));
    EXPECT_EQ(QDir::currentPath(), m_work.path());
}

TEST_F(CommandLine, FolderIsMadeWithItsParentsAndEnteredOrEnteredAsItIs) {
    EXPECT_TRUE(choose({}).run);
    expectUntouched();
    const StartChoice choice = choose({QStringLiteral("--folder"), "a/b/../c/"});
    ASSERT_TRUE(choice.run) << choice.text.toStdString();
    EXPECT_EQ(choice.folder, m_work.path() + "/a/c");
    EXPECT_EQ(QDir::currentPath(), m_work.path() + "/a/c");
    EXPECT_FALSE(QFileInfo::exists(m_work.path() + "/a/b"));
    EXPECT_TRUE(tree(m_work.path() + "/a/c").isEmpty());

    writeAll("kept", "x");
    ASSERT_TRUE(choose({QStringLiteral("--folder=") + m_work.path() + "/a"}).run);
    EXPECT_EQ(QDir::currentPath(), m_work.path() + "/a");
    EXPECT_EQ(readAll("c/../kept"), "<missing>");
    EXPECT_EQ(readAll(m_work.path() + "/a/c/kept"), "x");
}

// The built program: the same choices reach the real streams and exit status,
// and no display is needed for them.
TEST_F(CommandLine, ProgramPrintsAndEndsBeforeAnyWindow) {
    // Its exit status, stdout and stderr.
    const auto runProgram = [](const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(COINSLOT_PROGRAM), arguments);
        const bool ended =
            program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit;
        return std::tuple(ended ? program.exitCode() : -1, program.readAllStandardOutput(),
                          program.readAllStandardError());
    };
    EXPECT_EQ(runProgram({"--version"}),
              std::tuple(0, QByteArray("coinslot " COINSLOT_VERSION "\n"), QByteArray()));
    EXPECT_EQ(runProgram({"--folder", "made", "--nonsense"}),
              std::tuple(2, QByteArray(), QByteArray("coinslot: Unknown option 'nonsense'.\n")));
    expectUntouched();
}

} // namespace
