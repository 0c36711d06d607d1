// MAME's folders expanded as MAME expands them.
#include "launch/MameIniPath.h"

#include "QtPrinters.h"
#include "TestFolders.h"

TEST(MameFolder, VariablesAndTheHomeTildeExpandAsMameExpandsThem) {
    const ScopedEnv home("HOME", QByteArray("/home/ann"));
    const ScopedEnv xdg("XDG_CONFIG_HOME", QByteArray("/home/ann/.config"));
    const ScopedEnv unset("COINSLOT_UNSET", std::nullopt);
    const std::pair<const char*, const char*> cases[] = {
        {"$XDG_CONFIG_HOME/mame", "/home/ann/.config/mame"},
        {"${XDG_CONFIG_HOME}/mame;x", "/home/ann/.config/mame;x"},
        {"$HOME$HOME", "/home/ann/home/ann"},
        {"$COINSLOT_UNSET/ini", "/ini"},
        {"a${COINSLOT_UNSET}b", "ab"},
        {"~", "/home/ann"},
        {"~/ini", "/home/ann/ini"},
        {"~ann/ini", "~ann/ini"},
        {"/etc/~/ini", "/etc/~/ini"},
        {"cost$ 5$/$", "cost$ 5$/$"},
        {"${HOME", "${HOME"},
        {"ini", "ini"},
    };
    for (const auto& [folder, expanded] : cases)
        EXPECT_EQ(expandMameFolder(folder), expanded) << folder;

    const QString shown = "inipath                   \"$XDG_CONFIG_HOME/mame; ~/.mame ;;/etc\"\n"
                          "snapshot_directory        ${HOME}/snap\n";
    EXPECT_EQ(mameOptionFolders(shown, "inipath"),
              QStringList({"/home/ann/.config/mame", "/home/ann/.mame", "/etc"}));
    EXPECT_EQ(mameOptionFolders(shown, "snapshot_directory"), QStringList{"/home/ann/snap"});
    EXPECT_EQ(mameOptionFolders(shown, "snapshot"), std::nullopt);
    EXPECT_EQ(firstIniFolder(shown, "/elsewhere"), "/home/ann/.config/mame");
    EXPECT_EQ(firstIniFolder("inipath $COINSLOT_UNSET;/etc\n", "/h"), std::nullopt);
}
