#include "gamelist/DriverFilter.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

const GameTable kGames = {
    {"Final Fight", "ffight", "", "cps1"}, {"Metal Slug", "mslug", "", "neogeo"},
    {"Street Fighter", "sf2", "", "cps1"}, {"Alien vs. Predator", "avsp", "", "cps2"},
    {"Upper Case", "upper", "", "CPS1"},   {"Dark Stalkers", "dstlk", "", "cps2,"},
};

QStringList Names(const GameTable& games) {
    QStringList names;
    for (const GameRecord& g : games)
        names << g.name;
    return names;
}

} // namespace

TEST(DriverFilter, ShowsTheNamedDriversInMasterOrderWithANormalisedText) {
    struct Case {
        QString text;
        QStringList shown;
        QString filter;
    };
    const Case cases[] = {
        {"   CPS2    cps1  ", {"ffight", "sf2", "avsp"}, "cps1 cps2"},
        {"neogeo cps1 neogeo", {"ffight", "mslug", "sf2"}, "cps1 neogeo"},
        {"cps1 nosuchdriver", {"ffight", "sf2"}, "cps1"},
        {"cps2,", {"dstlk"}, "cps2,"}, // only the space separates
        {"cps1 cps1 CPS1", {"ffight", "sf2"}, "cps1"},
    };
    for (const Case& c : cases) {
        const FilterOutcome outcome = applyDriverFilter(c.text, kGames);
        EXPECT_EQ(outcome.result, FilterResult::Shown) << c.text.toStdString();
        EXPECT_EQ(Names(outcome.shown), c.shown) << c.text.toStdString();
        EXPECT_EQ(outcome.filter, c.filter);
    }
    EXPECT_EQ(applyDriverFilter("cps2", kGames).shown.front(), kGames[3]);
}

TEST(DriverFilter, EmptyTextShowsAllAndUnknownDriversMatchNothing) {
    for (const QString& text : {QString(), QString("    ")}) {
        const FilterOutcome all = applyDriverFilter(text, kGames);
        EXPECT_EQ(all.result, FilterResult::Shown);
        EXPECT_EQ(all.shown, kGames);
        EXPECT_EQ(all.filter, QString());
    }
    for (const QString& text : {QString("nosuchdriver"), QString("\tcps1"), QString("CPS1x")}) {
        const FilterOutcome none = applyDriverFilter(text, kGames);
        EXPECT_EQ(none.result, FilterResult::NoMatch) << text.toStdString();
        EXPECT_TRUE(none.shown.empty());
    }
}

TEST(DriverFilter, RefusesMoreThan256Words) {
    QString text = "cps1";
    for (int i = 1; i < 256; ++i)
        text += QString(" w%1").arg(i);
    EXPECT_EQ(applyDriverFilter(text, kGames).filter, "cps1");
    text += " neogeo";
    const FilterOutcome refused = applyDriverFilter(text, kGames);
    EXPECT_EQ(refused.result, FilterResult::TooManyWords);
    EXPECT_EQ(refused.message, "The filter holds 257 words, but at most 256 driver names can be "
                               "given.");
    EXPECT_TRUE(refused.shown.empty());
}
