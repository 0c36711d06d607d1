// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/WordSearch.h"

#include "text/TextFile.h"

#include <QStringList>
#include <algorithm>
#include <cstring>

namespace {

// Appends `text` to `out` folded for the word search: letters and digits in
// their case-folded form, a blank for each run of blanks, nothing for the rest.
void appendFolded(const QString& text, QString& out) {
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            if (c.unicode() < 0x80)
                out += QChar(c.unicode() >= 'A' && c.unicode() <= 'Z' ? c.unicode() + 32
                                                                      : c.unicode());
            else
                out += c.toCaseFolded();
        } else if (c.isSpace() && !out.isEmpty() && !out.endsWith(u' ')) {
            out += u' ';
        }
    }
}

constexpr size_t kTrigramBits = size_t{1} << 16;

size_t trigramHash(const char* at) {
    const auto byte = [](char c) { return static_cast<quint32>(static_cast<unsigned char>(c)); };
    const quint32 run = byte(at[0]) << 16 | byte(at[1]) << 8 | byte(at[2]);
    return (run * 2654435761u) >> 16;
}

// False when some game may hold `word`; true when none can.
bool surelyMissing(const QByteArray& word, const std::vector<quint64>& trigrams) {
    for (qsizetype i = 0; i + 3 <= word.size(); ++i) {
        const size_t bit = trigramHash(word.constData() + i);
        if (!(trigrams[bit / 64] >> (bit % 64) & 1))
            return true;
    }
    return false;
}

// The positions of the games whose set name is the text, blanks around it
// left out, ignoring case; ascending.
std::vector<qint32> namedGames(const QString& text,
                               const std::vector<std::pair<QString, qint32>>& names) {
    const QString name = text.trimmed().toCaseFolded();
    std::vector<qint32> positions; // usually one
    if (name.isEmpty())
        return positions;
    const auto first = std::lower_bound(
        names.begin(), names.end(), name,
        [](const auto& entry, const QString& wanted) { return entry.first < wanted; });
    for (auto at = first; at != names.end() && at->first == name; ++at)
        positions.push_back(at->second);
    return positions;
}

qsizetype findSetName(const ShownRows& shown, const QString& text,
                      const std::vector<std::pair<QString, qint32>>& names) {
    const std::vector<qint32> positions = namedGames(text, names);
    if (positions.empty())
        return -1;
    for (qsizetype k = 0; k < shown.size(); ++k) {
        if (std::binary_search(positions.begin(), positions.end(), shown[k]))
            return k;
    }
    return -1;
}

// Where `word` is first found in `all` from `from` on, or -1.
qsizetype find(const QByteArray& all, const QByteArray& word, qsizetype from) {
    const void* at = memmem(all.constData() + from, static_cast<size_t>(all.size() - from),
                            word.constData(), static_cast<size_t>(word.size()));
    return at ? static_cast<const char*>(at) - all.constData() : -1;
}

// Per game, whether it holds every word of the text; empty when none does.
std::vector<bool> gamesHoldingWords(const QString& text, const WordSearchTexts& texts) {
    QString folded;
    appendFolded(text, folded);
    std::vector<QByteArray> words;
    for (const QString& word : folded.split(u' ', Qt::SkipEmptyParts))
        words.push_back(word.toUtf8());
    if (words.empty() || std::any_of(words.begin(), words.end(), [&](const QByteArray& word) {
            return surelyMissing(word, texts.trigrams);
        }))
        return {};
    // The games holding every word, found through the hits of the longest.
    const QByteArray& rarest =
        *std::max_element(words.begin(), words.end(), [](const QByteArray& a, const QByteArray& b) {
            return a.size() < b.size();
        });
    std::vector<bool> holds(texts.ends.size());
    bool any = false;
    for (qsizetype at = find(texts.all, rarest, 0); at >= 0;) {
        const size_t game = static_cast<size_t>(
            std::upper_bound(texts.ends.begin(), texts.ends.end(), at) - texts.ends.begin());
        const qsizetype start = game == 0 ? 0 : texts.ends[game - 1] + 1;
        const QByteArrayView own =
            QByteArrayView(texts.all).sliced(start, texts.ends[game] - start);
        holds[game] = std::all_of(words.begin(), words.end(),
                                  [&](const QByteArray& word) { return own.contains(word); });
        any = any || holds[game];
        at = find(texts.all, rarest, texts.ends[game] + 1);
    }
    return any ? holds : std::vector<bool>();
}

qsizetype findWords(const ShownRows& shown, const QString& text, const WordSearchTexts& texts) {
    const std::vector<bool> holds = gamesHoldingWords(text, texts);
    for (qsizetype k = 0; !holds.empty() && k < shown.size(); ++k) {
        if (holds[static_cast<size_t>(shown[k])])
            return k;
    }
    return -1;
}

} // namespace

qsizetype searchFurther(const ShownRows& shown, const QString& text, const WordSearchTexts& texts) {
    const qsizetype named = findSetName(shown, text, texts.names);
    return named >= 0 ? named : findWords(shown, text, texts);
}

std::vector<bool> matchesFurther(const QString& text, const WordSearchTexts& texts) {
    std::vector<bool> matches = gamesHoldingWords(text, texts);
    matches.resize(texts.ends.size());
    for (const qint32 position : namedGames(text, texts.names))
        matches[static_cast<size_t>(position)] = true;
    return matches;
}

WordSearchTexts wordSearchTexts(const GameTable& games, const std::vector<QString>& manufacturers) {
    WordSearchTexts texts;
    texts.ends.reserve(games.size());
    QString folded;      // one game's, reused
    QString description; // one game's, decoded into the same memory each time
    for (size_t i = 0; i < games.size(); ++i) {
        const GameRecord game = games[i];
        const QByteArrayView bytes = game.descriptionBytes();
        description.resize(bytes.size());
        description.truncate(
            decodeTextInto(bytes, reinterpret_cast<char16_t*>(description.data())));
        folded.resize(0);
        appendFolded(description, folded);
        if (!manufacturers.empty()) {
            folded += u' ';
            appendFolded(manufacturers[i], folded);
        }
        texts.all += folded.toUtf8();
        texts.ends.push_back(texts.all.size());
        texts.all += '\n';
        texts.names.emplace_back(game.name().toCaseFolded(), static_cast<qint32>(i));
    }
    std::sort(texts.names.begin(), texts.names.end());
    texts.trigrams.assign(kTrigramBits / 64, 0);
    for (qsizetype i = 0; i + 3 <= texts.all.size(); ++i) {
        const size_t bit = trigramHash(texts.all.constData() + i);
        texts.trigrams[bit / 64] |= quint64{1} << (bit % 64);
    }
    return texts;
}
