// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/Sorting.h"

#include "QtPrinters.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Rec {
    QString description;
    int tag = 0;
};

std::vector<int> tags(const std::vector<Rec>& records) {
    std::vector<int> out;
    for (const Rec& r : records)
        out.push_back(r.tag);
    return out;
}

// Records tagged with their first position; unless `distinct`, many equal or
// alike. Their texts come from bytes as a file holds them: beside ASCII, a
// character past U+FFFF (whose UTF-16 sorts below U+E000..U+FFFF, its UTF-8
// above), U+FFFD, a private-use one, and bytes that are no UTF-8.
std::vector<Rec> randomRecords(int count, bool distinct, unsigned seed) {
    static const char* const words[] = {"pac",
                                        "Pac",
                                        "PAC",
                                        "zed",
                                        "Zed",
                                        "\xC3\xA4pfel",
                                        "apfel",
                                        "",
                                        "a b",
                                        "\x01",
                                        "\x02",
                                        "-pac",
                                        "\xF0\x9F\x8E\xAE",
                                        "\xEF\xBF\xBD",
                                        "\xEE\x80\x80z",
                                        "\xFF!",
                                        "\xC3",
                                        "\xC3\xA4\xFF"};
    std::mt19937 random(seed);
    std::vector<Rec> records;
    for (int i = 0; i < count; ++i) {
        const QString text = decodeText(words[random() % std::size(words)]);
        records.push_back({distinct ? text + QString::number(i) : text, i});
    }
    return records;
}

// The tags in the order sortedTextOrder gives for the records' texts as bytes.
std::vector<int> sortedTags(const std::vector<Rec>& records, bool caseInsensitive) {
    std::vector<QByteArray> bytes;
    for (const Rec& r : records)
        bytes.push_back(encodeText(r.description));
    std::vector<int> out;
    for (const qint32 at : sortedTextOrder(
             static_cast<qint32>(records.size()),
             [&bytes](qint32 i) { return QByteArrayView(bytes[static_cast<size_t>(i)]); },
             caseInsensitive))
        out.push_back(records[static_cast<size_t>(at)].tag);
    return out;
}

} // namespace

TEST(SortGames, GivesThePlainExchangeSortsOrderOfEqualKeysInEveryLocaleAndCaseMode) {
    // Traced by hand: equal keys end reversed, where a stable sort would keep them.
    const std::vector<Rec> games = {{"c", 0}, {"b", 1}, {"b", 2}, {"a", 3}, {"a", 4}};
    EXPECT_EQ(sortedTags(games, false), (std::vector<int>{4, 3, 2, 1, 0}));
    const std::vector<Rec> folded = {{"Zebra", 0}, {"apple", 1}, {"APPLE", 2}};
    EXPECT_EQ(sortedTags(folded, true),
              (std::vector<int>{1, 2, 0})); // apple = APPLE: never exchanged
    const QLocale saved;
    for (const char* name : {"en_US", "sv_SE", "C"}) {
        QLocale::setDefault(QLocale(name));
        const CaseInsensitiveCompare folded;
        for (const bool caseInsensitive : {false, true}) {
            for (const bool distinct : {true, false}) {
                std::vector<Rec> expected = randomRecords(1500, distinct, 7);
                const std::vector<Rec> records = expected;
                exchangeSort(expected, std::ssize(expected), [&](const Rec& a, const Rec& b) {
                    return caseInsensitive ? folded(a.description, b.description)
                                           : compareOrdinal(a.description, b.description);
                });
                EXPECT_EQ(sortedTags(records, caseInsensitive), tags(expected))
                    << name << caseInsensitive << distinct;
            }
        }
    }
    QLocale::setDefault(saved);
    // The n log n path checks what it is told against the comparison.
    std::vector<Rec> expected = randomRecords(300, false, 11), sorted = expected;
    const auto compare = [](const Rec& a, const Rec& b) {
        return compareOrdinal(a.description, b.description);
    };
    exchangeSort(expected, std::ssize(expected), compare);
    sortAsExchangeSort(sorted, std::ssize(sorted), compare, [&](qsizetype i, qsizetype j) {
        return compare(sorted[i], sorted[j]) > 0; // descending: a wrong guess
    });
    EXPECT_EQ(tags(sorted), tags(expected));
}
