#include "gamelist/GameInfo.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

const GameTable kShown = {
    {"ABC (Japan)", "abcj", "abc", "abcdrv"},
    {"ABC", "abc", "", "abcdrv"},
    {"Other", "other", "", "odrv"},
    {"ABC (US)", "abcu", "abc", "abcdrv"},
    {"Other (bootleg)", "otherb", "other", "bootdrv"},
};

} // namespace

TEST(GameInfo, ListsTheCloneFamilyOfTheGame) {
    EXPECT_EQ(gameInfoText(kShown[1], kShown),
              "ABC\r\n\r\nSet\tabc\r\nClones\tabcj\r\n\tabcu\r\nDriver\tabcdrv");
    EXPECT_EQ(gameInfoText(kShown[2], kShown),
              "Other\r\n\r\nSet\tother\r\nClone\totherb\r\nDriver\todrv");
    EXPECT_EQ(gameInfoText(kShown[0], kShown),
              "ABC (Japan)\r\n\r\nSet\tabcj\r\nParent\tabc\r\nDriver\tabcdrv");
    // Only shown clones count; a hidden parent is still named by a clone.
    const GameTable filtered = {kShown[0], kShown[2]};
    EXPECT_EQ(gameInfoText(kShown[2], filtered), "Other\r\n\r\nSet\tother\r\nDriver\todrv");
    EXPECT_EQ(gameInfoText(kShown[0], filtered),
              "ABC (Japan)\r\n\r\nSet\tabcj\r\nParent\tabc\r\nDriver\tabcdrv");
}
