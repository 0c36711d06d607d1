#include "text/Sorting.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Rec {
    QString description;
    int tag = 0;
};

std::vector<QString> strings(std::initializer_list<const char*> items) {
    std::vector<QString> out;
    for (const char* s : items)
        out.emplace_back(QString::fromUtf8(s));
    return out;
}

std::vector<int> Tags(const std::vector<Rec>& games) {
    std::vector<int> tags;
    for (const Rec& r : games)
        tags.push_back(r.tag);
    return tags;
}

// Records in a seeded random order, tagged with their first position. With
// `distinct` each description ends in its own number, so no two compare equal
// in either case mode; otherwise they come from a few words that differ only
// in case or accents, and from empty and ignorable texts.
std::vector<Rec> RandomRecords(int count, bool distinct, unsigned seed) {
    static const char* const words[] = {"pac",   "Pac", "PAC", "zed",  "Zed",  "\xC3\xA4pfel",
                                        "apfel", "",    "a b", "\x01", "\x02", "-pac"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> word(0, std::size(words) - 1);
    std::vector<Rec> records;
    for (int i = 0; i < count; ++i) {
        QString text = QString::fromUtf8(words[word(random)]);
        if (distinct)
            text += QStringLiteral(" %1").arg(i);
        records.push_back({text, i});
    }
    return records;
}

// Makes `locale` the default locale while it lives.
class DefaultLocale {
  public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

  private:
    QLocale m_previous;
};

} // namespace

TEST(sortStrings, SortsOrdinallyAndLeavesSlotsBeyondTheCount) {
    auto a = strings({"pac", "Zed", "", "abc", "Pac", "zz", "tail1", "tail0"});
    sortStrings(a, 6);
    EXPECT_EQ(a, strings({"", "Pac", "Zed", "abc", "pac", "zz", "tail1", "tail0"}));
}

TEST(exchangeSort, SmallCountsCompareNothingAndTwoElementsTakeTwoPasses) {
    auto one = strings({"b", "a"});
    EXPECT_EQ(exchangeSort(one, 0, compareOrdinal), 0);
    EXPECT_EQ(exchangeSort(one, 1, compareOrdinal), 0);
    EXPECT_EQ(one, strings({"b", "a"}));
    EXPECT_EQ(exchangeSort(one, 2, compareOrdinal), 2); // one pass exchanges, the next none
    EXPECT_EQ(one, strings({"a", "b"}));
    EXPECT_EQ(exchangeSort(one, 2, compareOrdinal), 1);
}

TEST(exchangeSort, SortedInputMakesOnePassPerGap) {
    std::vector<QString> a;
    for (int i = 0; i < 10000; ++i)
        a.push_back(QString::number(100000 + i));
    // gaps 5000 2500 1250 625 312 156 78 39 19 9 4 2 1
    EXPECT_EQ(exchangeSort(a, 10000, compareOrdinal), 13);
}

TEST(sortGames, EqualKeysEndInTheOrderOfTheExchangeSequence) {
    // Traced by hand: gap 2 takes two passes with exchanges and a clean one,
    // gap 1 one clean pass. Equal keys end reversed, where a stable sort
    // would keep them in their first order.
    std::vector<Rec> games = {{"c", 0}, {"b", 1}, {"b", 2}, {"a", 3}, {"a", 4}};
    sortGames(games, 5, false);
    std::vector<int> tags;
    for (const Rec& r : games)
        tags.push_back(r.tag);
    EXPECT_EQ(tags, (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST(sortGames, CaseModeDecidesBetweenUpperZAndLowerA) {
    std::vector<Rec> ordinal = {{"apple", 0}, {"Zebra", 1}};
    sortGames(ordinal, 2, false);
    EXPECT_EQ(ordinal[0].description, "Zebra");

    std::vector<Rec> folded = {{"Zebra", 0}, {"apple", 1}, {"APPLE", 2}};
    sortGames(folded, 3, true);
    EXPECT_EQ(folded[0].description, "apple"); // equal keys are never exchanged
    EXPECT_EQ(folded[1].description, "APPLE");
    EXPECT_EQ(folded[2].description, "Zebra");
}

TEST(sortGames, GivesTheExchangeSortsOrderFastWhenKeysDifferAndStillWhenSomeAreEqual) {
    for (const char* name : {"en_US", "sv_SE", "C"}) {
        const DefaultLocale locale{QLocale(name)};
        const CaseInsensitiveCompare folded;
        for (const bool caseInsensitive : {false, true}) {
            for (const bool distinct : {true, false}) {
                const std::vector<Rec> input = RandomRecords(1500, distinct, 7);
                std::vector<Rec> expected = input;
                exchangeSort(expected, std::ssize(expected), [&](const Rec& a, const Rec& b) {
                    return caseInsensitive ? folded(a.description, b.description)
                                           : compareOrdinal(a.description, b.description);
                });
                std::vector<Rec> sorted = input;
                const qint64 passes = sortGames(sorted, std::ssize(sorted), caseInsensitive);
                EXPECT_EQ(Tags(sorted), Tags(expected))
                    << name << (caseInsensitive ? " folded" : " ordinal")
                    << (distinct ? " distinct" : " equal keys");
                EXPECT_EQ(passes == 0, distinct) << name; // the exchange sort ran only then
            }
        }
    }
}

TEST(sortGames, AQuickOrderThatDisagreesIsNotTrusted) {
    const std::vector<Rec> input = RandomRecords(300, false, 11);
    const auto compare = [](const Rec& a, const Rec& b) {
        return compareOrdinal(a.description, b.description);
    };
    std::vector<Rec> expected = input;
    exchangeSort(expected, std::ssize(expected), compare);
    std::vector<Rec> sorted = input;
    sortAsExchangeSort(sorted, std::ssize(sorted), compare, [&](qsizetype i, qsizetype j) {
        return compare(input[i], input[j]) > 0; // descending
    });
    EXPECT_EQ(Tags(sorted), Tags(expected));
}

TEST(sortStrings, SortsOnlyTheCountedSlotsWithOrWithoutRepeats) {
    std::vector<QString> words = {"neogeo", "cps1", "neogeo", "a", "tail"};
    EXPECT_GT(sortStrings(words, 4), 0); // a repeat: the exchange sort ran
    EXPECT_EQ(words, strings({"a", "cps1", "neogeo", "neogeo", "tail"}));
    std::vector<QString> names = {"zed", "b", "a", "tail"};
    EXPECT_EQ(sortStrings(names, 3), 0);
    EXPECT_EQ(names, strings({"a", "b", "zed", "tail"}));
}

TEST(CaseInsensitiveCompare, KeysOrderTextsAsTheComparisonDoes) {
    const DefaultLocale locale{QLocale("en_US")};
    const CaseInsensitiveCompare compare;
    ASSERT_TRUE(compare.hasSortKeys());
    const QStringList texts = {"",           "\x01", "\x01\x02", "a",  "A",     "\u00E4",
                               "\u00C4pfel", "ab",   "a b",      "-a", "10",    "2",
                               "Zed",        "z",    "\u00DF",   "ss", "\uFB01"};
    for (const QString& a : texts) {
        for (const QString& b : texts) {
            const int byKeys =
                CaseInsensitiveCompare::keyLess(a, compare.sortKey(a), b, compare.sortKey(b))
                    ? -1
                    : (CaseInsensitiveCompare::keyLess(b, compare.sortKey(b), a, compare.sortKey(a))
                           ? 1
                           : 0);
            const int direct = compare(a, b);
            EXPECT_EQ(byKeys, (direct > 0) - (direct < 0))
                << a.toStdString() << " / " << b.toStdString();
        }
    }
}
