#include "gamelist/DriverFilter.h"

#include "text/Sorting.h"
#include "text/SplitFirst.h"
#include "text/TrimSpaces.h"

#include <QSet>
#include <vector>

namespace {

constexpr QChar kSpace = u' ';

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

FilterOutcome applyDriverFilter(const QString& text, const GameTable& games) {
    FilterOutcome outcome;
    const QString t = trimSpaces(text).toLower();
    if (t.isEmpty()) {
        outcome.result = FilterResult::Shown;
        outcome.shown = games;
        return outcome;
    }

    qsizetype count = 0;
    std::vector<QString> words = cutWords(t, count);
    if (count > kMaxFilterWords) {
        outcome.result = FilterResult::TooManyWords;
        outcome.message = QStringLiteral("The filter holds %1 words, but at most %2 driver names "
                                         "can be given.")
                              .arg(count)
                              .arg(kMaxFilterWords);
        return outcome;
    }

    // Exact matches against any word, master order, each game once.
    const QSet<QString> wanted(words.begin(), words.end());
    QSet<QString> matched;
    for (const GameRecord& game : games) {
        if (wanted.contains(game.driver)) {
            outcome.shown.push_back(game);
            matched.insert(game.driver);
        }
    }
    if (outcome.shown.empty()) {
        outcome.result = FilterResult::NoMatch;
        return outcome;
    }

    sortStrings(words, std::ssize(words));
    QString previous;
    for (const QString& word : words) {
        if (word == previous)
            continue;
        if (matched.contains(word)) {
            if (!outcome.filter.isEmpty())
                outcome.filter += kSpace;
            outcome.filter += word;
        }
        previous = word;
    }
    outcome.result = FilterResult::Shown;
    return outcome;
}
