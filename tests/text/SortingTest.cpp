#include "text/Sorting.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Rec {
    QString strDescription;
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

TEST(SortStrings, SortsOrdinallyAndLeavesSlotsBeyondTheCount) {
    auto a = strings({"pac", "Zed", "", "abc", "Pac", "zz", "tail1", "tail0"});
    SortStrings(a, 6);
    EXPECT_EQ(a, strings({"", "Pac", "Zed", "abc", "pac", "zz", "tail1", "tail0"}));
}

TEST(ExchangeSort, SmallCountsCompareNothingAndTwoElementsTakeTwoPasses) {
    auto one = strings({"b", "a"});
    EXPECT_EQ(ExchangeSort(one, 0, CompareOrdinal), 0);
    EXPECT_EQ(ExchangeSort(one, 1, CompareOrdinal), 0);
    EXPECT_EQ(one, strings({"b", "a"}));
    EXPECT_EQ(ExchangeSort(one, 2, CompareOrdinal), 2); // one pass exchanges, the next none
    EXPECT_EQ(one, strings({"a", "b"}));
    EXPECT_EQ(ExchangeSort(one, 2, CompareOrdinal), 1);
}

TEST(ExchangeSort, SortedInputMakesOnePassPerGap) {
    std::vector<QString> a;
    for (int i = 0; i < 10000; ++i)
        a.push_back(QString::number(100000 + i));
    // gaps 5000 2500 1250 625 312 156 78 39 19 9 4 2 1
    EXPECT_EQ(ExchangeSort(a, 10000, CompareOrdinal), 13);
}

TEST(SortGames, EqualKeysEndInTheOrderOfTheExchangeSequence) {
    // Traced by hand: gap 2 takes two passes with exchanges and a clean one,
    // gap 1 one clean pass. Equal keys end reversed, where a stable sort
    // would keep them in their first order.
    std::vector<Rec> games = {{"c", 0}, {"b", 1}, {"b", 2}, {"a", 3}, {"a", 4}};
    SortGames(games, 5, false);
    std::vector<int> tags;
    for (const Rec& r : games)
        tags.push_back(r.tag);
    EXPECT_EQ(tags, (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST(SortGames, CaseModeDecidesBetweenUpperZAndLowerA) {
    std::vector<Rec> ordinal = {{"apple", 0}, {"Zebra", 1}};
    SortGames(ordinal, 2, false);
    EXPECT_EQ(ordinal[0].strDescription, "Zebra");

    std::vector<Rec> folded = {{"Zebra", 0}, {"apple", 1}, {"APPLE", 2}};
    SortGames(folded, 3, true);
    EXPECT_EQ(folded[0].strDescription, "apple"); // equal keys are never exchanged
    EXPECT_EQ(folded[1].strDescription, "APPLE");
    EXPECT_EQ(folded[2].strDescription, "Zebra");
}

TEST(SortGames, GivesTheExchangeSortsOrderFastWhenKeysDifferAndStillWhenSomeAreEqual) {
    for (const char* name : {"en_US", "sv_SE", "C"}) {
        const DefaultLocale locale{QLocale(name)};
        const CaseInsensitiveCompare folded;
        for (const bool caseInsensitive : {false, true}) {
            for (const bool distinct : {true, false}) {
                const std::vector<Rec> input = RandomRecords(1500, distinct, 7);
                std::vector<Rec> expected = input;
                ExchangeSort(expected, std::ssize(expected), [&](const Rec& a, const Rec& b) {
                    return caseInsensitive ? folded(a.strDescription, b.strDescription)
                                           : CompareOrdinal(a.strDescription, b.strDescription);
                });
                std::vector<Rec> sorted = input;
                const qint64 passes = SortGames(sorted, std::ssize(sorted), caseInsensitive);
                EXPECT_EQ(Tags(sorted), Tags(expected))
                    << name << (caseInsensitive ? " folded" : " ordinal")
                    << (distinct ? " distinct" : " equal keys");
                EXPECT_EQ(passes == 0, distinct) << name; // the exchange sort ran only then
            }
        }
    }
}

TEST(SortGames, AQuickOrderThatDisagreesIsNotTrusted) {
    const std::vector<Rec> input = RandomRecords(300, false, 11);
    const auto compare = [](const Rec& a, const Rec& b) {
        return CompareOrdinal(a.strDescription, b.strDescription);
    };
    std::vector<Rec> expected = input;
    ExchangeSort(expected, std::ssize(expected), compare);
    std::vector<Rec> sorted = input;
    SortAsExchangeSort(sorted, std::ssize(sorted), compare, [&](qsizetype i, qsizetype j) {
        return compare(input[i], input[j]) > 0; // descending
    });
    EXPECT_EQ(Tags(sorted), Tags(expected));
}

TEST(SortStrings, SortsOnlyTheCountedSlotsWithOrWithoutRepeats) {
    std::vector<QString> words = {"neogeo", "cps1", "neogeo", "a", "tail"};
    EXPECT_GT(SortStrings(words, 4), 0); // a repeat: the exchange sort ran
    EXPECT_EQ(words, strings({"a", "cps1", "neogeo", "neogeo", "tail"}));
    std::vector<QString> names = {"zed", "b", "a", "tail"};
    EXPECT_EQ(SortStrings(names, 3), 0);
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
                CaseInsensitiveCompare::KeyLess(a, compare.sortKey(a), b, compare.sortKey(b))
                    ? -1
                    : (CaseInsensitiveCompare::KeyLess(b, compare.sortKey(b), a, compare.sortKey(a))
                           ? 1
                           : 0);
            const int direct = compare(a, b);
            EXPECT_EQ(byKeys, (direct > 0) - (direct < 0))
                << a.toStdString() << " / " << b.toStdString();
        }
    }
}
