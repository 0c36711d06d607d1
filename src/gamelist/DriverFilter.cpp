// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/DriverFilter.h"

#include "text/Sorting.h"
#include "text/SplitFirst.h"
#include "text/TrimSpaces.h"

#include <QCoreApplication>
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

    // Exact matches against any word, master order, each game once. A few
    // words are compared one by one, which a difference in length mostly
    // settles at once; many are looked up by hash.
    const bool few = std::ssize(words) <= kFewWords;
    const QSet<QString> wanted = few ? QSet<QString>() : QSet<QString>(words.begin(), words.end());
    const auto isWanted = [&](const QString& driver) {
        if (!few)
            return wanted.contains(driver);
        return std::any_of(words.begin(), words.end(),
                           [&driver](const QString& word) { return word == driver; });
    };
    QSet<QString> matched;
    std::vector<qint32> positions;
    for (qsizetype i = 0; i < std::ssize(games); ++i) {
        if (isWanted(games[i].driver)) {
            positions.push_back(static_cast<qint32>(i));
            matched.insert(games[i].driver);
        }
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
