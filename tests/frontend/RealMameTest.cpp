// SPDX-License-Identifier: GPL-2.0-or-later
// The whole build with the MAME installed on this machine, when there is one.
#include "FrontEndFixture.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// A zip file that stores `files` (name, bytes) as they are, as MAME reads it.
QByteArray storedZip(const std::vector<std::pair<QByteArray, QByteArray>>& files) {
    const auto crc32 = [](const QByteArray& bytes) {
        quint32 crc = 0xffffffff;
        for (const char c : bytes) {
            crc ^= static_cast<quint8>(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
        }
        return ~crc;
    };
    const auto le = [](QByteArray& out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.append(static_cast<char>(value >> (8 * i)));
    };
    QByteArray zip, directory;
    for (const auto& [name, data] : files) {
        const quint32 offset = static_cast<quint32>(zip.size());
        QByteArray common;
        le(common, 10, 2); // version needed
        le(common, 0, 2);  // flags
        le(common, 0, 2);  // stored
        le(common, 0, 4);  // time and date
        le(common, crc32(data), 4);
        le(common, static_cast<quint32>(data.size()), 4);
        le(common, static_cast<quint32>(data.size()), 4);
        le(common, static_cast<quint32>(name.size()), 2);
        le(common, 0, 2); // extra
        le(zip, 0x04034b50, 4);
        zip += common + name + data;
        le(directory, 0x02014b50, 4);
        le(directory, 10, 2); // version made by
        directory += common;
        le(directory, 0, 2); // comment
        le(directory, 0, 2); // disk
        le(directory, 0, 2); // internal attributes
        le(directory, 0, 4); // external attributes
        le(directory, offset, 4);
        directory += name;
    }
    const quint32 start = static_cast<quint32>(zip.size());
    zip += directory;
    le(zip, 0x06054b50, 4);
    le(zip, 0, 4);
    le(zip, static_cast<quint32>(files.size()), 2);
    le(zip, static_cast<quint32>(files.size()), 2);
    le(zip, static_cast<quint32>(directory.size()), 4);
    le(zip, start, 4);
    le(zip, 0, 2);
    return zip;
}

// The front end with the MAME installed on this machine; skipped without one.
class RealMame : public FrontEndFixture {
  protected:
    void SetUp() override {
        mame = QStringLiteral("/usr/games/mame");
        if (!QFileInfo(mame).isExecutable())
            mame = QStandardPaths::findExecutable(QStringLiteral("mame"));
        if (mame.isEmpty())
            GTEST_SKIP() << "no MAME is installed here (/usr/games/mame or mame on PATH)";
        frontEnd.setMameExecutable(mame);
    }
    QString mame;
};

} // namespace

TEST_F(RealMame, BuildsTheDatabaseOfEveryMachineThatCanRun) {
    QProcess version;
    version.start(mame, {"-version"});
    ASSERT_TRUE(version.waitForFinished(60000));
    const QString release = QString::fromLocal8Bit(version.readAllStandardOutput()).trimmed();
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    const Outcome<JobReport> build = run([this] { frontEnd.list(); }, 600);
    ASSERT_TRUE(build.ok()) << "MAME " << release.toStdString() << ": " << build.failure();

    const GameTable& games = frontEnd.games().games();
    if (release.startsWith("0.251"))
        EXPECT_EQ(games.size(), 39372u);
    else
        EXPECT_GT(games.size(), 30000u) << release.toStdString();
    const QByteArray database = readAll("coinslot.dat");
    EXPECT_EQ(database.count("\r\n"), static_cast<qsizetype>(games.size()));
    EXPECT_TRUE(database.contains(")|pacman|puckman|pacman\r\n"));
    EXPECT_TRUE(database.contains("|sf2||cps1\r\n"));
    EXPECT_FALSE(database.contains("|namco51|")) << "a device was kept";

    // The machine facts, and the Show choices on them.
    const std::optional<MachineFacts> pacman = frontEnd.catalogue().facts("pacman");
    ASSERT_TRUE(pacman.has_value());
    EXPECT_EQ(pacman->year, "1980");
    EXPECT_EQ(pacman->manufacturer, "Namco (Midway license)");
    if (release.startsWith("0.251")) {
        // clones, not working, mechanical, non-arcade, favourites only
        ASSERT_TRUE(frontEnd.applyShowChoices({false, false, false, true, false}));
        EXPECT_EQ(frontEnd.games().shownRows().size(), 5793);
        ASSERT_TRUE(frontEnd.applyShowChoices({false, false, false, false, false}));
        EXPECT_EQ(frontEnd.games().shownRows().size(), 4373);
    }
}

TEST_F(RealMame, PlayingASetWithoutItsRomFilesSaysWhichGameLacksThem) {
    folder.set("HOME", folder.path()); // no ini of the user's, no ROM path
    ASSERT_TRUE(QDir().mkdir("empty"));
    writeAll("coinslot.dat", "Pac-Man (Midway)|pacman|puckman|pacman\r\n");
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    const Outcome<JobReport> played =
        run([this] { frontEnd.play(QString("-rompath empty -video none -sound none")); }, 120);
    ASSERT_FALSE(played.ok()) << "pacman ran without its ROM files";
    const QString said = played.failure();
    EXPECT_TRUE(
        said.startsWith("MAME could not find the ROM files of Pac-Man (Midway) [pacman].\r\n\r\n"))
        << said;
    EXPECT_TRUE(said.contains("files not found: pacman.6e, ")) << said;
    EXPECT_TRUE(
        said.endsWith("Fatal error: Required files are missing, the machine cannot be run."))
        << said;
}

TEST_F(RealMame, AnAuditAfterANewZipAsksMameAboutThatSetsFamilyOnlyAndEndsAsAFullOne) {
    folder.set("HOME", folder.path()); // MAME's first ROM folder: $HOME/mame/roms
    ASSERT_TRUE(QDir().mkpath("mame/roms"));
    writeAll("mame/roms/puckman.zip", storedZip({{"pm1_prg1.6e", QByteArray(2048, 'p')}}));
    writeAll("mame/roms/galaga.zip", storedZip({{"gg1_1b.3p", QByteArray(4096, 'g')}}));
    ASSERT_TRUE(frontEnd.loadCatalogue().ok());
    ASSERT_TRUE(run([this] { frontEnd.list(); }, 600).ok());
    const Outcome<JobReport> first = run([this] { frontEnd.audit(); }, 600);
    ASSERT_TRUE(first.ok()) << first.failure();
    EXPECT_TRUE(first.value().details.contains("[galaga]\r\n  gg1_1b.3p: wrong checksum"));
    ASSERT_TRUE(run([this] { frontEnd.list(); }, 600).ok());
    const QByteArray listed = readAll("coinslot.dat");

    writeAll("mame/roms/mspacman.zip", storedZip({{"boot1", QByteArray(4096, 'm')}}));
    QStringList family{"mspacman"};
    for (const GameRecord& game : frontEnd.games().games()) {
        if (game.parent == "mspacman")
            family << game.name;
    }
    family.sort();
    runner.requests.clear();
    const Outcome<JobReport> part = run([this] { frontEnd.audit(); }, 600);
    ASSERT_TRUE(part.ok()) << part.failure();
    EXPECT_EQ(runs(), QStringList({"-showconfig", "-verifyroms " + family.join(' ')}));
    const QByteArray partDatabase = readAll("coinslot.dat");

    // The same database audited as a whole.
    writeAll("coinslot.dat", listed);
    ASSERT_TRUE(frontEnd.loadDatabase().ok());
    const Outcome<JobReport> whole = run([this] { frontEnd.audit(true); }, 600);
    ASSERT_TRUE(whole.ok()) << whole.failure();
    EXPECT_EQ(runs().last(), "-verifyroms *");
    EXPECT_EQ(partDatabase, readAll("coinslot.dat"));
    EXPECT_EQ(part.value().text, whole.value().text);
    EXPECT_EQ(part.value().details, whole.value().details);
    EXPECT_TRUE(whole.value().details.contains("[mspacman]\r\n  ")) << whole.value().details;
}
