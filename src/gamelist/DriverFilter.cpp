// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/DriverFilter.h"

#include "text/Sorting.h"
#include "text/SplitFirst.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

namespace {

constexpr QChar kSpace = u' ';
constexpr qsizetype kFewWords = 8;

// Cuts `text` (trimmed, not empty) into its words. Every word is counted but
// only the first kMaxFilterWords are kept.
std::vector<QString> cutWords(QString text, qsizetype& count) {
    std::vector<QString> words;
    count = 0;
    while (!text.isEmpty()) {
        QString word = splitFirst(text, kSpace);
        text.remove(0, leadingSpaces(text));
        if (count < kMaxFilterWords)
            words.push_back(std::move(word));
        ++count;
    }
    return words;
}

} // namespace

Outcome<DriverSelection> selectDrivers(const QString& text, const GameTable& games) {
    const QString t = trimSpaces(text).toLower();
    if (t.isEmpty())
        return DriverSelection{ShownRows::all(std::ssize(games)), {}};

    qsizetype count = 0;
    std::vector<QString> words = cutWords(t, count);
    if (count > kMaxFilterWords)
        return Failure{QCoreApplication::translate(
                           "DriverFilter", "The filter holds %1 words, but at most %2 driver names "
                                           "can be given.")
                           .arg(count)
                           .arg(kMaxFilterWords)};

    // Exact matches against any word, master order, each game once, on the
    // bytes the file holds (a text equals a driver exactly when its bytes
    // are the driver's; a word that would not read back is no driver). A
    // few words are compared one by one, which a difference in length mostly
    // settles at once; many are looked up by hash.
    std::vector<QByteArray> wordBytes;
    for (const QString& word : words)
        wordBytes.push_back(readsBackAsWritten(word) ? encodeText(word) : QByteArray());
    const bool few = std::ssize(words) <= kFewWords;
    QHash<QByteArray, qsizetype> wanted; // the first word of those bytes
    if (!few) {
        for (qsizetype w = std::ssize(wordBytes) - 1; w >= 0; --w) {
            if (!wordBytes[static_cast<size_t>(w)].isEmpty())
                wanted.insert(wordBytes[static_cast<size_t>(w)], w);
        }
    }
    // The word the driver is, or -1.
    const auto wantedWord = [&](QByteArrayView driver) -> qsizetype {
        if (!few)
            return wanted.value(QByteArray::fromRawData(driver.data(), driver.size()), -1);
        for (size_t w = 0; w < wordBytes.size(); ++w) {
            if (!wordBytes[w].isEmpty() && wordBytes[w] == driver)
                return static_cast<qsizetype>(w);
        }
        return -1;
    };
    std::vector<bool> matchedWord(words.size());
    std::vector<qint32> positions;
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        if (const qsizetype w = wantedWord(games[i].driverBytes()); w >= 0) {
            positions.push_back(static_cast<qint32>(i));
            matchedWord[static_cast<size_t>(w)] = true;
        }
    }
    QSet<QString> matched;
    for (size_t w = 0; w < words.size(); ++w) {
        if (matchedWord[w])
            matched.insert(words[w]);
    }
    DriverSelection selection;
    selection.rows = ShownRows::only(std::move(positions));
    if (selection.rows.empty())
        return selection;

    sortStrings(words, std::ssize(words));
    QString previous;
    for (const QString& word : words) {
        if (word == previous)
            continue;
        if (matched.contains(word)) {
            if (!selection.filter.isEmpty())
                selection.filter += kSpace;
            selection.filter += word;
        }
        previous = word;
    }
    return selection;
}
