// SPDX-License-Identifier: GPL-2.0-or-later
// MAME's generation, and its folders expanded as MAME expands them.
#include "launch/MameGeneration.h"
#include "launch/MameIniPath.h"
#include "launch/MameLocation.h"
#include "text/TextFile.h"

#include "QtPrinters.h"
#include "TestFolders.h"

#include <QFileInfo>

TEST(MameOutput, OnlyACurrentHeaderMeansACurrentMameAndFoldersExpandAsMameExpandsThem) {
    const ScopedEnv home("HOME", QByteArray("/home/ann"));
    const ScopedEnv xdg("XDG_CONFIG_HOME", QByteArray("/home/ann/.config"));
    const ScopedEnv unset("COINSLOT_UNSET", std::nullopt);
    const ScopedEnv homeDir("HOMEDIR", QByteArray("/dir")); // a longer name beginning alike
    const std::pair<const char*, const char*> cases[] = {
        {"$XDG_CONFIG_HOME/mame", "/home/ann/.config/mame"},
        {"${XDG_CONFIG_HOME}/mame;x", "/home/ann/.config/mame;x"},
        {"$HOME$HOME", "/home/ann/home/ann"},
        {"$HOMEDIR/ini", "/dir/ini"},
        {"$COINSLOT_UNSET/ini", "/ini"},
        {"a${COINSLOT_UNSET}b", "ab"},
        {"~", "/home/ann"},
        {"~/ini", "/home/ann/ini"},
        {"~ann/ini", "~ann/ini"},
        {"/etc/~/ini", "/etc/~/ini"},
        {"cost$ 5$/$", "cost$ 5$/$"},
        {"${HOME", "${HOME"},
        {"${}/c", "${}/c"},
        {"ini", "ini"}};
    for (const auto& [folder, expanded] : cases)
        EXPECT_EQ(expandMameFolder(folder), expanded) << folder;
    // A value that is not UTF-8 reaches the system as the same bytes.
    const ScopedEnv bytes("COINSLOT_BYTES", QByteArray("/caf\xe9-\xff"));
    EXPECT_EQ(encodeText(expandMameFolder("$COINSLOT_BYTES/ini")), "/caf\xe9-\xff/ini");

    const QString shown = "inipath                   \"$XDG_CONFIG_HOME/mame; ~/.mame ;;/etc\"\r\n"
                          "snapshot_directory        ${HOME}/snap\n";
    EXPECT_EQ(mameOptionFolders(shown, "inipath"),
              QStringList({"/home/ann/.config/mame", "/home/ann/.mame", "/etc"}));
    EXPECT_EQ(mameOptionFolders(shown, "snapshot_directory"), QStringList{"/home/ann/snap"});
    EXPECT_EQ(mameOptionFolders(shown, "snapshot"), std::nullopt);
    EXPECT_EQ(firstIniFolder(shown, "/elsewhere"), "/home/ann/.config/mame");
    EXPECT_EQ(firstIniFolder("inipath \"~/my ini;/etc/mame\"\n", "/h"), "/h/my ini");
    EXPECT_EQ(firstIniFolder("inipath $COINSLOT_UNSET;/etc\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("inipath ;/etc/mame\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("Error: unknown option: -showconfig\n", "/h"), std::nullopt);
    EXPECT_EQ(firstIniFolder("inipathx                  /nowhere\n", "/h"), std::nullopt);
    EXPECT_EQ(mameIniFor("/usr/games/MAME.EXE"), "MAME.ini");
    const QString current = readAll(COINSLOT_FIXTURES "/current-mame/listfull.txt").split('\n')[0];
    const QString old = readAll(COINSLOT_FIXTURES "/old-mame/listfull.txt").split('\n')[0];
    // Line ends that the caller left on do not change the answer.
    for (const QString& line : {current, QString("Name:  Description:"), current + "\r"})
        EXPECT_EQ(generationFromListFullHeader(line), MameGeneration::Current)
            << line.toStdString();
    for (const QString& line : {old, old + "\r", QString(), QString("Name:Description:"),
                                QString("Name:\t\tDescription:"), current + " more",
                                current.toLower(), " " + current, QString("Error: unknown option")})
        EXPECT_EQ(generationFromListFullHeader(line), MameGeneration::Old) << line.toStdString();
}

TEST(MameLocation, MameOnPathComesFirstThenTheUsualPlacesInTheirOrder) {
    const QTemporaryDir dir;
    const ScopedEnv home("HOME", dir.filePath("home").toUtf8());
    const ScopedEnv path("PATH", dir.filePath("bin").toUtf8());
    EXPECT_EQ(usualMamePlaces().last(), dir.filePath("home/mame/mame"));
    const QStringList places = {dir.filePath("games/mame"), dir.filePath("local/games/mame"),
                                dir.filePath("local/bin/mame"), dir.filePath("home/mame/mame")};
    const auto install = [](const QString& file, bool executable = true) {
        QDir().mkpath(QFileInfo(file).path());
        writeAll(file, "#!/bin/sh\n");
        QFile::setPermissions(file,
                              executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
    };
    EXPECT_EQ(findMame(places), "");
    // Each place found wins over the places after it.
    for (qsizetype i = places.size() - 1; i >= 0; --i) {
        install(places[i]);
        EXPECT_EQ(findMame(places), places[i]);
    }
    install(dir.filePath("bin/mame"), false);
    EXPECT_EQ(findMame(places), places[0]) << "a file on PATH that cannot run is no MAME";
    install(dir.filePath("bin/mame"));
    EXPECT_EQ(findMame(places), dir.filePath("bin/mame"));
}
