// SPDX-License-Identifier: GPL-2.0-or-later
// Audit after a full one, with the fake MAME auditing from its ROM folder: a
// new, changed or removed zip, a changed parent, BIOS or device each lead to
// one run on exactly the sets that use it, and the database and the report
// come out as a full audit's.
#include "FrontEndFixture.h"
#include "OutcomeText.h"

#include <QThread>

namespace {

// A machine of the listing: "name attributes", its ROM, its devices.
QByteArray machine(const QByteArray& name, const QByteArray& attributes,
                   const QByteArrayList& devices = {}) {
    QByteArray text = "\t<machine name=\"" + name + "\" sourcefile=\"test/" + name + ".cpp\"" +
                      attributes + ">\n\t\t<description>" + name.toUpper() +
                      "</description>\n\t\t<rom name=\"" + name + ".bin\" size=\"1024\" crc=\"" +
                      QByteArray::number(qChecksum(name), 16).rightJustified(8, '0') +
                      "\" region=\"maincpu\" offset=\"0\"/>\n";
    for (const QByteArray& device : devices)
        text += "\t\t<device_ref name=\"" + device + "\"/>\n";
    return text + "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
                  "\t</machine>\n";
}

// A BIOS with two games, a parent with two clones, a device used by the
// parent and one clone, and two games on their own.
const QByteArray kListing =
    "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n" +
    machine("bios1", " isbios=\"yes\"") +
    machine("clone1", " cloneof=\"parent\" romof=\"parent\"", {"dev1"}) +
    machine("clone2", " cloneof=\"parent\" romof=\"parent\"") +
    machine("game1", " romof=\"bios1\"") + machine("game2", " romof=\"bios1\"") +
    machine("parent", "", {"dev1", "nodev"}) + machine("plain", "") +
    machine("solo", "", {"nodev"}) + machine("dev1", " isdevice=\"yes\" runnable=\"no\"") +
    "\t<machine name=\"nodev\" sourcefile=\"test/nodev.cpp\" isdevice=\"yes\" runnable=\"no\">\n"
    "\t\t<description>NODEV</description>\n\t</machine>\n</mame>\n";

class IncrementalAudit : public FrontEndFixture {
  protected:
    IncrementalAudit() {
        folder.set("FAKEMAME_MODERN", "1");
        folder.set("HOME", folder.filePath("home"));
        folder.set("FAKEMAME_ROMPATH", folder.filePath("roms"));
        folder.set("FAKEMAME_ARGS", folder.filePath("args.log"));
        folder.set("FAKEMAME_LISTXML", folder.filePath("listxml.xml"));
    }
    void SetUp() override {
        writeAll("listxml.xml", kListing);
        ASSERT_TRUE(QDir().mkdir("roms"));
        for (const char* name : {"bios1", "game1", "parent", "clone1", "clone2", "solo", "dev1"})
            zip(name, "ok");
        ASSERT_EQ(failureText(frontEnd.loadCatalogue()), "");
        ASSERT_EQ(failureText(list()), "");
        ASSERT_EQ(failureText(audit()), "");
        ASSERT_EQ(audits(), QStringList({"-verifyroms *"}));
    }

    static void zip(const QString& name, const QByteArray& text) {
        writeAll("roms/" + name + ".zip", text);
    }
    // The audit runs the fake MAME was asked for since the last call.
    QStringList audits() {
        QStringList runs;
        for (const QString& line : QString::fromLatin1(readAll("args.log")).split('\n')) {
            if (line.startsWith("-verifyroms"))
                runs.append(line);
        }
        QFile::remove("args.log");
        return runs;
    }
    // The database, the message and the report of an audit.
    struct Audited {
        QByteArray database;
        QString text;
        QString details;
        bool operator==(const Audited&) const = default;
    };
    Audited auditAfterList(bool full = false) {
        EXPECT_EQ(failureText(list()), "");
        audits();
        const AuditSummary done = resultAs<AuditSummary>(run([&] { frontEnd.audit(full); }));
        return {readAll("coinslot.dat"), done.summary + '\n' + done.reportSaved,
                done.report.join('\n')};
    }
    // An audit after List asks MAME about `sets` only, and its outcome is a
    // full audit's; the next one, with nothing changed, asks about none.
    void expectOnly(const QString& sets) {
        const Audited part = auditAfterList();
        EXPECT_EQ(audits(), sets.isEmpty() ? QStringList() : QStringList{"-verifyroms " + sets});
        EXPECT_EQ(auditAfterList(), part);
        EXPECT_EQ(audits(), QStringList());
        const Audited whole = auditAfterList(true);
        EXPECT_EQ(audits(), QStringList({"-verifyroms *"}));
        EXPECT_EQ(part.database, whole.database);
        EXPECT_EQ(part.text, whole.text);
        EXPECT_EQ(part.details, whole.details);
    }
};

} // namespace

TEST_F(IncrementalAudit, EachChangeIsCheckedWithTheSetsThatUseItAndNothingElse) {
    expectOnly("");
    zip("plain", "ok");
    expectOnly("plain");
    zip("solo", "bad, rewritten");
    expectOnly("solo");
    ASSERT_TRUE(QFile::remove("roms/clone2.zip"));
    expectOnly("clone2");
    zip("parent", "bad now");
    expectOnly("clone1 clone2 parent");
    zip("bios1", "bad too");
    expectOnly("game1 game2");
    zip("dev1", "best");
    expectOnly("clone1 clone2 parent");
    // A set folder beside the zips, and a file changed within it.
    ASSERT_TRUE(QDir().mkpath("roms/game2"));
    writeAll("roms/game2/game2.bin", "x");
    expectOnly("game2"); // a folder named after a set: that set, and no more
    writeAll("roms/game2/game2.bin", "y");
    expectOnly("game2");
}

TEST_F(IncrementalAudit, ItsVerdictsReachTheReportAndAFullOneIsForcedByAMameChange) {
    zip("solo", "bad");
    const Audited part = auditAfterList();
    EXPECT_EQ(audits(), QStringList({"-verifyroms solo"}));
    EXPECT_TRUE(part.details.contains("SOLO [solo]\n  solo.bin: wrong checksum"));
    EXPECT_EQ(part.text.section('\n', 0, 0), "4 games found, 3 removed.");
    // The verdicts the incremental one kept hold for the next one too.
    zip("plain", "ok");
    EXPECT_EQ(auditAfterList().text.section('\n', 0, 0), "5 games found, 2 removed.");
    EXPECT_EQ(audits(), QStringList({"-verifyroms plain"}));

    // A set the changes touch while it is not in the database is checked
    // once it is back.
    zip("bios1", "bad");
    ASSERT_EQ(failureText(audit()), ""); // game2 is gone since the first one
    EXPECT_EQ(audits(), QStringList({"-verifyroms game1"}));
    auditAfterList();
    EXPECT_EQ(audits(), QStringList({"-verifyroms game2"}));

    // Another MAME file: every set again, even after a List.
    QThread::msleep(20);
    ASSERT_TRUE(QFile::remove("mame") && QFile::copy(COINSLOT_FAKEMAME, "mame"));
    auditAfterList();
    EXPECT_EQ(audits(), QStringList({"-verifyroms *"}));
    // A run on some sets that fails changes nothing, and leaves them to check.
    ASSERT_EQ(failureText(list()), "");
    zip("plain", "bad");
    const QByteArray database = readAll("coinslot.dat");
    folder.set("FAKEMAME_AUDIT_CRASH", "plain");
    EXPECT_TRUE(failureText(audit()).contains("ended abnormally"));
    EXPECT_EQ(audits(), QStringList({"-verifyroms plain"}));
    EXPECT_EQ(readAll("coinslot.dat"), database);
    folder.set("FAKEMAME_AUDIT_CRASH", "");
    EXPECT_EQ(failureText(audit()), "");
    EXPECT_EQ(audits(), QStringList({"-verifyroms plain"}));
}

TEST_F(IncrementalAudit, ManySetsGoToMameAFewHundredToARun) {
    QByteArray listing = kListing;
    QByteArray games;
    for (int i = 0; i < 260; ++i)
        games += machine("many" + QByteArray::number(i).rightJustified(3, '0'), " romof=\"bios1\"");
    listing.replace("\t<machine name=\"dev1\"", games + "\t<machine name=\"dev1\"");
    writeAll("listxml.xml", listing);
    for (int i = 0; i < 260; i += 7)
        zip("many" + QString::number(i).rightJustified(3, '0'), "ok");
    ASSERT_EQ(failureText(list()), "");
    ASSERT_EQ(failureText(audit()), "");
    audits();
    zip("bios1", "bad");
    const Audited part = auditAfterList();
    const QStringList runs = audits();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].count(' '), 250);
    EXPECT_TRUE(runs[0].startsWith("-verifyroms game1 game2 many000 many001 "));
    EXPECT_EQ(runs[1], "-verifyroms many248 many249 many250 many251 many252 many253 many254 "
                       "many255 many256 many257 many258 many259");
    EXPECT_EQ(part, auditAfterList(true));
}
