// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/SuggestionRanking.h"

#include "gamelist/SuggestionText.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace {

// Longer words and titles are matched without typos.
constexpr qsizetype kMostTypoLetters = 64;
// How often a long scan asks whether to go on.
constexpr qsizetype kCancelStride = 4096;

// Whether one of the first `most` + 1 letters of `text` may be among those
// of the dictionary's text k (see TextDictionary::heads). Within `most` typos
// it is: before the first letter that the typos leave in its place (or swap
// with its neighbour) each text has no more letters than typos.
bool mayBeClose(quint32 textMask, const TextDictionary& dictionary, qsizetype k, int most) {
    const quint64 heads = dictionary.heads[static_cast<size_t>(k)];
    return (textMask & static_cast<quint32>(most >= 2 ? heads >> 32 : heads)) != 0;
}

// The fewest typos that make `a` all of `b` or, with `prefix`, a start of
// `b`; `most` + 1 when there are more than `most`. Optimal string alignment:
// a letter added, dropped or changed, or two neighbours swapped, each one.
// Only the cells within `most` of the diagonal are worked out.
int typoDistance(QStringView a, QStringView b, int most, bool prefix) {
    const int big = most + 1;
    const auto n = static_cast<int>(a.size());
    const int m = static_cast<int>(prefix ? std::min<qsizetype>(b.size(), n + most) : b.size());
    if (n > kMostTypoLetters || (!prefix && std::abs(m - n) > most) || m < n - most)
        return big;
    constexpr size_t kWidth = kMostTypoLetters * 2 + 2;
    // Rows i - 2, i - 1 and i; only their cells near the diagonal are set.
    std::array<std::array<int, kWidth>, 3> rows;
    rows[0][0] = rows[1][0] = rows[2][0] = 0;
    int* before = rows[0].data();
    int* previous = rows[1].data();
    int* current = rows[2].data();
    for (int j = 0; j <= m; ++j)
        previous[j] = std::min(j, big);
    int previousLeast = 0, low = 1, high = m;
    for (int i = 1; i <= n; ++i) {
        low = std::max(1, i - most);
        high = std::min(m, i + most);
        current[0] = std::min(i, big);
        current[low - 1] = low == 1 ? current[0] : big;
        if (high < m)
            current[high + 1] = big;
        int least = current[0];
        for (int j = low; j <= high; ++j) {
            int value = std::min({previous[j] + 1, current[j - 1] + 1,
                                  previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, before[j - 2] + 1);
            current[j] = std::min(value, big);
            least = std::min(least, current[j]);
        }
        if (least >= big && previousLeast >= big)
            return big;
        previousLeast = least;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    if (!prefix)
        return previous[m];
    int least = previous[0];
    for (int j = low; j <= high; ++j)
        least = std::min(least, previous[j]);
    return least;
}

// The search text as the steps read it.
struct Query {
    QString folded, compact;
    QStringList words;

    explicit Query(const QString& text)
        : folded(suggestiontext::folded(text)), compact(suggestiontext::compact(text)),
          words(suggestiontext::words(text)) {}
};

// The text with its numbers from 2 to 20 (but 10) written in Roman numerals
// and its Roman numerals in figures ("street fighter 2" and "street fighter
// ii"), as one of its words; nothing when it has neither.
std::optional<QString> numeralsSwapped(const QString& text) {
    static const QStringList romans = {"ii",  "iii",  "iv",    "v",   "vi",   "vii", "viii",
                                       "ix",  "",     "xi",    "xii", "xiii", "xiv", "xv",
                                       "xvi", "xvii", "xviii", "xix", "xx"};
    QStringList words = suggestiontext::words(text);
    bool swapped = false;
    for (QString& word : words) {
        bool isNumber = false;
        const int number = word.toInt(&isNumber);
        const qsizetype roman = word.isEmpty() ? -1 : romans.indexOf(word);
        if (isNumber && number >= 2 && number <= 20 && !romans[number - 2].isEmpty()) {
            word = romans[number - 2];
            swapped = true;
        } else if (roman >= 0) {
            word = QString::number(roman + 2);
            swapped = true;
        }
    }
    return swapped ? std::optional(words.join(u' ')) : std::nullopt;
}

// A dictionary text that a word of the search text matches.
struct WordHit {
    qsizetype text;
    int level; // 0 at its start, 1 within it, 2 with typos
    int typos;
};

class Ranking {
  public:
    Ranking(const SuggestionIndex& index, const ShownRows& shown, const std::vector<quint8>& marks,
            const std::function<bool()>& cancelled)
        : m_index(index), m_marks(marks), m_cancelled(cancelled), m_count(index.source.size()),
          m_taken(static_cast<size_t>(m_count)) {
        m_showsAll = shown.showsAll() && shown.size() == m_count;
        if (!m_showsAll) {
            m_shown.assign(static_cast<size_t>(m_count), 0);
            for (qsizetype row = 0; row < shown.size(); ++row) {
                if (shown[row] >= 0 && shown[row] < m_count)
                    m_shown[static_cast<size_t>(shown[row])] = 1;
            }
        }
    }

    std::optional<std::vector<RankedGame>> run(const QString& text, int limit);

  private:
    bool cancelled() const { return m_cancelled && m_cancelled(); }
    bool enough() const { return std::ssize(m_found) >= m_limit; }
    void add(qint32 game, SuggestionMatch match, int typos = 0);

    void findNamesAndTitles(const Query& query);
    void findDescriptionStarts(const Query& query);
    bool findWords(const Query& query, int level);
    bool findTitleTypos(const Query& query);
    bool findWordHits(const QString& word, int level);

    const SuggestionIndex& m_index;
    const std::vector<quint8>& m_marks;
    const std::function<bool()>& m_cancelled;
    qsizetype m_count;
    bool m_showsAll = true;
    std::vector<quint8> m_shown;
    std::vector<quint8> m_taken; // a game is given its best match only
    int m_limit = 0;
    // What each word of the text matches, found level by level.
    struct WordHits {
        int level = -1;
        std::vector<WordHit> hits; // best first
        std::vector<bool> hit;     // per dictionary text
    };
    QHash<QString, WordHits> m_wordHits;
    // (sort key, game): the match, the typos, the marks and the place, in
    // that order of weight.
    std::vector<std::pair<quint64, qint32>> m_found;
};

void Ranking::add(qint32 game, SuggestionMatch match, int typos) {
    const auto at = static_cast<size_t>(game);
    if (m_taken[at] || (!m_showsAll && !m_shown[at]))
        return;
    m_taken[at] = 1;
    const bool marked = at < m_marks.size() && m_marks[at] != 0;
    const quint64 key = quint64(match) << 60 | quint64(std::min(typos, 15)) << 56 |
                        quint64(marked ? 0 : 1) << 55 | m_index.places[at];
    m_found.emplace_back(key, game);
}

// The games that a dictionary gives for the text in its compact form.
template <typename Each>
void forEachGameOf(const TextDictionary& dictionary, const QString& text, Each each) {
    const qsizetype k = dictionary.lowerBound(text);
    if (k == dictionary.size() || dictionary.text(k) != text)
        return;
    for (quint32 g = dictionary.firsts[k]; g < dictionary.firsts[k + 1]; ++g)
        each(dictionary.games[g]);
}

void Ranking::findNamesAndTitles(const Query& query) {
    // The set names are among the words; most games holding the word have
    // it in their description.
    std::vector<qint32> named;
    forEachGameOf(m_index.words, query.compact, [&](qint32 game) {
        if (suggestiontext::compact(m_index.source.names[static_cast<size_t>(game)]) ==
            query.compact)
            named.push_back(game);
    });
    for (const qint32 game : named) {
        if (suggestiontext::folded(m_index.source.names[static_cast<size_t>(game)]) == query.folded)
            add(game, SuggestionMatch::SetName);
    }
    forEachGameOf(m_index.titles, query.compact, [&](qint32 game) {
        for (const QStringView title :
             suggestiontext::titles(m_index.source.descriptions[static_cast<size_t>(game)])) {
            if (suggestiontext::folded(title) == query.folded) {
                add(game, SuggestionMatch::Title);
                return;
            }
        }
    });
    for (const qint32 game : named)
        add(game, SuggestionMatch::CompactTitle);
    forEachGameOf(m_index.titles, query.compact,
                  [&](qint32 game) { add(game, SuggestionMatch::CompactTitle); });
}

void Ranking::findDescriptionStarts(const Query& query) {
    const std::vector<qint32>& byDescription = m_index.byDescription;
    QString key;
    const auto compactDescription = [&](qint32 game) -> const QString& {
        key.resize(0);
        suggestiontext::appendCompact(m_index.source.descriptions[static_cast<size_t>(game)], key);
        return key;
    };
    auto at = std::lower_bound(
        byDescription.begin(), byDescription.end(), query.compact,
        [&](qint32 game, const QString& wanted) { return compactDescription(game) < wanted; });
    for (; at != byDescription.end() && compactDescription(*at).startsWith(query.compact); ++at)
        add(*at, SuggestionMatch::DescriptionStart);
}

// The dictionary's texts that `word` matches at `level` or better, added to
// what earlier levels found.
bool Ranking::findWordHits(const QString& word, int level) {
    WordHits& found = m_wordHits[word];
    const TextDictionary& words = m_index.words;
    if (found.level < 0) {
        found.hit.assign(static_cast<size_t>(words.size()), false);
        for (qsizetype k = words.lowerBound(word);
             k < words.size() && words.text(k).startsWith(word); ++k) {
            found.hits.push_back({k, 0, 0});
            found.hit[static_cast<size_t>(k)] = true;
        }
        found.level = 0;
    }
    if (level >= 1 && found.level < 1) {
        // Within a word: found in all the words end to end, which no word spans.
        words.findAll(word, [&](qsizetype at) {
            const qsizetype k = words.textAt(at);
            if (!found.hit[static_cast<size_t>(k)]) {
                found.hit[static_cast<size_t>(k)] = true;
                found.hits.push_back({k, 1, 0});
            }
            return static_cast<qsizetype>(words.starts[k + 1]); // one hit a text
        });
        found.level = 1;
    }
    if (level >= 2 && found.level < 2) {
        const int most = allowedTypos(word.size());
        const size_t exact = found.hits.size();
        const quint32 mask = letterMask(word, most + 1);
        for (qsizetype k = 0; most > 0 && k < words.size(); ++k) {
            if (k % kCancelStride == 0 && cancelled())
                return false;
            if (found.hit[static_cast<size_t>(k)] || !mayBeClose(mask, words, k, most))
                continue;
            const int typos = typoDistance(word, words.text(k), most, true);
            if (typos <= most)
                found.hits.push_back({k, 2, typos});
        }
        std::stable_sort(found.hits.begin() + static_cast<qsizetype>(exact), found.hits.end(),
                         [](const WordHit& a, const WordHit& b) { return a.typos < b.typos; });
        found.level = 2;
    }
    return true;
}

// The games that hold every word of the text at `level` or better (0 word
// starts, 1 anywhere, 2 with typos).
bool Ranking::findWords(const Query& query, int level) {
    const qsizetype wordCount = std::min<qsizetype>(query.words.size(), 255);
    if (wordCount == 0)
        return true;
    const size_t count = static_cast<size_t>(m_count);
    std::vector<quint8> held(count), worst(count);
    std::vector<int> typos(count);
    std::vector<qint32> all;
    const TextDictionary& words = m_index.words;
    for (qsizetype i = 0; i < wordCount; ++i) {
        if (!findWordHits(query.words[i], level))
            return false;
        // The steps run level by level: the hits are this level's or better.
        for (const WordHit& hit : m_wordHits[query.words[i]].hits) {
            for (quint32 g = words.firsts[hit.text]; g < words.firsts[hit.text + 1]; ++g) {
                const auto game = static_cast<size_t>(words.games[g]);
                if (held[game] != i)
                    continue; // it lacks an earlier word, or has this one already
                held[game] = static_cast<quint8>(i + 1);
                worst[game] = std::max<quint8>(worst[game], static_cast<quint8>(hit.level));
                typos[game] += hit.typos;
                if (i == wordCount - 1)
                    all.push_back(words.games[g]);
            }
        }
    }
    for (const qint32 game : all) {
        const auto at = static_cast<size_t>(game);
        add(game,
            worst[at] == 0   ? SuggestionMatch::WordStarts
            : worst[at] == 1 ? SuggestionMatch::Words
                             : SuggestionMatch::WordTypos,
            typos[at]);
    }
    return true;
}

bool Ranking::findTitleTypos(const Query& query) {
    const int most = allowedTypos(query.compact.size());
    if (most == 0)
        return true;
    const TextDictionary& titles = m_index.titles;
    std::vector<std::pair<int, qsizetype>> close;
    const quint32 mask = letterMask(query.compact, most + 1);
    for (qsizetype k = 0; k < titles.size(); ++k) {
        if (k % kCancelStride == 0 && cancelled())
            return false;
        if (!mayBeClose(mask, titles, k, most))
            continue;
        const int typos = typoDistance(query.compact, titles.text(k), most, false);
        if (typos <= most)
            close.emplace_back(typos, k);
    }
    std::stable_sort(close.begin(), close.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [typos, k] : close) {
        for (quint32 g = titles.firsts[k]; g < titles.firsts[k + 1]; ++g)
            add(titles.games[g], SuggestionMatch::TitleTypo, typos);
    }
    return true;
}

std::optional<std::vector<RankedGame>> Ranking::run(const QString& text, int limit) {
    m_limit = limit;
    std::vector<Query> queries = {Query(text)};
    if (queries[0].compact.isEmpty() || limit <= 0 || m_count == 0)
        return std::vector<RankedGame>();
    if (const std::optional<QString> swapped = numeralsSwapped(text))
        queries.emplace_back(*swapped);
    // Each step finds worse matches than the one before; once enough games
    // are found, the later steps could not place one among them.
    const std::array<std::function<bool(const Query&)>, 6> steps = {
        [this](const Query& q) { return findNamesAndTitles(q), true; },
        [this](const Query& q) { return findDescriptionStarts(q), true; },
        [this](const Query& q) { return findWords(q, 0); },
        [this](const Query& q) { return findWords(q, 1); },
        [this](const Query& q) { return findTitleTypos(q); },
        [this](const Query& q) { return findWords(q, 2); }};
    for (const auto& step : steps) {
        if (enough())
            break;
        for (const Query& query : queries) {
            if (cancelled() || !step(query))
                return std::nullopt;
        }
    }
    const auto end = m_found.begin() + std::min<qsizetype>(limit, std::ssize(m_found));
    std::partial_sort(m_found.begin(), end, m_found.end());
    std::vector<RankedGame> ranked;
    for (auto at = m_found.begin(); at != end; ++at)
        ranked.push_back({at->second, static_cast<SuggestionMatch>(at->first >> 60),
                          static_cast<int>(at->first >> 56 & 15)});
    return ranked;
}

} // namespace

int allowedTypos(qsizetype letters) {
    return letters < 3 ? 0 : letters < 8 ? 1 : 2;
}

std::optional<std::vector<RankedGame>> rankSuggestions(const SuggestionIndex& index,
                                                       const QString& text, const ShownRows& shown,
                                                       const std::vector<quint8>& marks, int limit,
                                                       const std::function<bool()>& cancelled) {
    return Ranking(index, shown, marks, cancelled).run(text, limit);
}
