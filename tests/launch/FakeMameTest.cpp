// The fake MAME's current-MAME voice and its pause and crash modes, which the
// build and audit tests rely on.
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

QByteArray Fixture(const char* name) {
    QFile file(QStringLiteral(COINSLOT_FIXTURES "/current-mame/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

struct FakeRun {
    QByteArray out, err;
    int status = -1;
    QProcess::ExitStatus exit = QProcess::NormalExit;
};

void Start(QProcess& process, const QStringList& args,
           const QList<std::pair<QString, QString>>& env) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("FAKEMAME_FIXTURES");
    for (const auto& [name, value] : env)
        environment.insert(name, value);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(COINSLOT_FAKEMAME), args);
}

FakeRun RunFake(const QStringList& args, const QList<std::pair<QString, QString>>& env) {
    QProcess process;
    Start(process, args, env);
    process.waitForFinished(30000);
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode(),
            process.exitStatus()};
}

const QList<std::pair<QString, QString>> kModern = {{"FAKEMAME_MODERN", "1"}};

} // namespace

TEST(FakeMame, AuditsLikeACurrentMame) {
    const FakeRun all = RunFake({"-verifyroms", "*"}, kModern);
    EXPECT_EQ(all.out, Fixture("verifyroms.txt"));
    EXPECT_EQ(all.err, Fixture("verifyroms-closing.txt")); // a set is bad: on stderr
    EXPECT_EQ(all.status, 2);

    const FakeRun one = RunFake({"-verifyroms", "osc1000b"}, kModern);
    EXPECT_TRUE(one.out.endsWith("romset osc1000b [tmc1800] is best available\n"
                                 "1 romsets found, 1 were OK.\n"));
    EXPECT_EQ(one.status, 0);
    const FakeRun missing = RunFake({"-verifyroms", "nosuch"}, kModern);
    EXPECT_EQ(missing.err, "romset \"nosuch\" not found!\n");
    EXPECT_EQ(missing.status, 2);

    EXPECT_EQ(RunFake({"-verifysets", "*"}, kModern).status, 6);
    EXPECT_EQ(RunFake({"-listsourcefile"}, kModern).status, 6);
    EXPECT_EQ(RunFake({"-listxml"}, {}).status, 6); // the old MAME has no -listxml
}

TEST(FakeMame, CrashesAfterTheLinesAskedFor) {
    const FakeRun run = RunFake({"-listxml"}, {{"FAKEMAME_MODERN", "1"}, {"FAKEMAME_CRASH", "3"}});
    EXPECT_EQ(run.exit, QProcess::CrashExit);
    EXPECT_EQ(run.out, Fixture("listxml.xml").split('\n').mid(0, 3).join('\n') + '\n');

    const FakeRun old = RunFake({"-verifysets", "*"}, {{"FAKEMAME_CRASH", "0"}});
    EXPECT_EQ(old.exit, QProcess::CrashExit);
    EXPECT_EQ(old.out, "");
}

TEST(FakeMame, PausesHalfwayWhenAsked) {
    const QByteArray listing = Fixture("listfull.txt");
    const QList<QByteArray> lines = listing.split('\n');
    const QByteArray firstHalf = lines.mid(0, (lines.size() - 1) / 2).join('\n') + '\n';

    QProcess process;
    Start(process, {"-listfull"}, {{"FAKEMAME_MODERN", "1"}, {"FAKEMAME_SLEEP", "1.5"}});
    QByteArray seen;
    while (seen.size() < firstHalf.size() && process.waitForReadyRead(10000))
        seen += process.readAllStandardOutput();
    EXPECT_EQ(seen, firstHalf);
    EXPECT_EQ(process.state(), QProcess::Running);
    process.waitForFinished(10000);
    EXPECT_EQ(seen + process.readAllStandardOutput(), listing);
}
