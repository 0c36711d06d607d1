// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/SuggestionIndex.h"

#include "gamelist/SuggestionText.h"

#include <QHashFunctions>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <tuple>

namespace {

constexpr char kBeyondLatin1 = 0x1a;

QByteArray narrowed(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        bytes[i] = c < 0x100 ? static_cast<char>(c) : kBeyondLatin1;
    }
    return bytes;
}

// Gathers the texts of each game, each text kept once, and makes them a
// TextDictionary. A game's texts are given together, games in ascending order.
class DictionaryBuilder {
  public:
    explicit DictionaryBuilder(qsizetype games) { m_gameStarts.reserve(games + 1); }

    void beginGame() {
        m_gameStarts.push_back(static_cast<quint32>(m_gameTexts.size()));
        m_gameTextsStart = m_gameTexts.size();
    }
    void add(QStringView text) {
        if (text.isEmpty())
            return;
        const quint32 id = idOf(text);
        if (std::find(m_gameTexts.begin() + static_cast<qsizetype>(m_gameTextsStart),
                      m_gameTexts.end(), id) == m_gameTexts.end())
            m_gameTexts.push_back(id);
    }

    TextDictionary finish() {
        m_gameStarts.push_back(static_cast<quint32>(m_gameTexts.size()));
        const size_t count = m_starts.size();
        m_starts.push_back(static_cast<quint32>(m_all.size()));
        std::vector<quint32> order(count);
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(),
                  [this](quint32 a, quint32 b) { return textOf(a) < textOf(b); });
        std::vector<quint32> rank(count);
        TextDictionary dictionary;
        dictionary.all.reserve(m_all.size());
        dictionary.starts.reserve(count + 1);
        for (size_t k = 0; k < count; ++k) {
            rank[order[k]] = static_cast<quint32>(k);
            dictionary.starts.push_back(static_cast<quint32>(dictionary.all.size()));
            dictionary.all += textOf(order[k]);
            dictionary.all += u'\n';
        }
        dictionary.starts.push_back(static_cast<quint32>(dictionary.all.size()));
        dictionary.narrow = narrowed(dictionary.all);
        dictionary.heads.reserve(count);
        for (size_t k = 0; k < count; ++k) {
            const QStringView text = textOf(order[k]);
            dictionary.heads.push_back(quint64(letterMask(text, 3)) << 32 | letterMask(text, 2));
        }
        // The games of each text, ascending, as the games came in order.
        dictionary.firsts.assign(count + 1, 0);
        for (const quint32 id : m_gameTexts)
            ++dictionary.firsts[rank[id] + 1];
        std::partial_sum(dictionary.firsts.begin(), dictionary.firsts.end(),
                         dictionary.firsts.begin());
        dictionary.games.resize(m_gameTexts.size());
        std::vector<quint32> next(dictionary.firsts.begin(), dictionary.firsts.end() - 1);
        for (size_t game = 0; game + 1 < m_gameStarts.size(); ++game) {
            for (quint32 at = m_gameStarts[game]; at < m_gameStarts[game + 1]; ++at)
                dictionary.games[next[rank[m_gameTexts[at]]]++] = static_cast<qint32>(game);
        }
        return dictionary;
    }

  private:
    QStringView textOf(quint32 id) const {
        return QStringView(m_all).sliced(m_starts[id], m_starts[id + 1] - m_starts[id]);
    }
    // The id of `text`, made when it is new (open addressing on its hash).
    quint32 idOf(QStringView text) {
        if (m_slots.size() < 2 * (m_starts.size() + 1))
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = qHash(text) & mask;; slot = (slot + 1) & mask) {
            const quint32 id = m_slots[slot];
            if (id == kEmpty) {
                const auto made = static_cast<quint32>(m_starts.size());
                m_starts.push_back(static_cast<quint32>(m_all.size()));
                m_all += text;
                m_slots[slot] = made;
                return made;
            }
            if (textAt(id) == text)
                return id;
        }
    }
    QStringView textAt(quint32 id) const {
        const quint32 end =
            id + 1 < m_starts.size() ? m_starts[id + 1] : static_cast<quint32>(m_all.size());
        return QStringView(m_all).sliced(m_starts[id], end - m_starts[id]);
    }
    void grow() {
        std::vector<quint32> table(std::max<size_t>(1024, m_slots.size() * 2), kEmpty);
        const size_t mask = table.size() - 1;
        for (quint32 id = 0; id < m_starts.size(); ++id) {
            size_t slot = qHash(textAt(id)) & mask;
            while (table[slot] != kEmpty)
                slot = (slot + 1) & mask;
            table[slot] = id;
        }
        m_slots = std::move(table);
    }

    static constexpr quint32 kEmpty = 0xffffffffu;
    QString m_all;
    std::vector<quint32> m_starts; // text id's start in m_all; the next one's is its end
    std::vector<quint32> m_slots;
    std::vector<quint32> m_gameTexts; // the text ids of each game, games end to end
    std::vector<quint32> m_gameStarts;
    size_t m_gameTextsStart = 0;
};

// A year as a number that orders as the year: an unsure digit ("198?") counts
// as 9, so that the sure years of a decade come first; no year is the last.
int yearValue(QStringView year) {
    if (year.size() < 4)
        return 9999;
    int value = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const QChar c = year[i];
        if (c.isDigit())
            value = value * 10 + c.digitValue();
        else if (c == u'?')
            value = value * 10 + 9;
        else
            return 9999;
    }
    return value;
}

// 0 working (or not known), 1 imperfect, 2 not working.
int statusRank(const SuggestionSource& source, size_t game) {
    const DriverStatus status =
        game < source.statuses.size() ? source.statuses[game] : DriverStatus::Unknown;
    if (status == DriverStatus::Imperfect)
        return 1;
    if (status == DriverStatus::Preliminary || (source.flags[game] & GameFlag::NotWorking))
        return 2;
    return 0;
}

// The places of the games in the order that decides between equal matches.
std::vector<quint32> placesOf(const SuggestionSource& source) {
    const size_t count = source.descriptions.size();
    using Key = std::tuple<int, int, bool, bool, int, qint32>;
    std::vector<Key> keys(count);
    for (size_t i = 0; i < count; ++i) {
        const quint8 flags = source.flags[i];
        const QString& maker = i < source.manufacturers.size() && !source.manufacturers[i].isEmpty()
                                   ? source.manufacturers[i]
                                   : source.descriptions[i];
        keys[i] = {int((flags & GameFlag::NonArcade) != 0) +
                       int((flags & GameFlag::Mechanical) != 0),
                   statusRank(source, i),
                   suggestiontext::namesBootlegOrHack(maker),
                   (flags & GameFlag::Clone) != 0,
                   i < source.years.size() ? yearValue(source.years[i]) : 9999,
                   static_cast<qint32>(i)};
    }
    std::sort(keys.begin(), keys.end());
    std::vector<quint32> places(count);
    for (size_t place = 0; place < count; ++place)
        places[static_cast<size_t>(std::get<5>(keys[place]))] = static_cast<quint32>(place);
    return places;
}

// The games in the order of their compact descriptions.
std::vector<qint32> byCompactDescription(const std::vector<QString>& descriptions) {
    QString all;
    std::vector<quint32> starts;
    starts.reserve(descriptions.size() + 1);
    for (const QString& description : descriptions) {
        starts.push_back(static_cast<quint32>(all.size()));
        suggestiontext::appendCompact(description, all);
    }
    starts.push_back(static_cast<quint32>(all.size()));
    const auto key = [&](qint32 game) {
        const auto at = static_cast<size_t>(game);
        return QStringView(all).sliced(starts[at], starts[at + 1] - starts[at]);
    };
    std::vector<qint32> order(descriptions.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qint32 a, qint32 b) { return key(a) < key(b); });
    return order;
}

} // namespace

SuggestionSource suggestionSource(const GameTable& games, const GameFacts& facts,
                                  const std::vector<QString>& manufacturers,
                                  const FactColumns& columns) {
    SuggestionSource source;
    source.descriptions.reserve(games.size());
    source.names.reserve(games.size());
    for (const GameRecord& game : games) {
        source.descriptions.push_back(game.description());
        source.names.push_back(game.name());
    }
    if (manufacturers.size() == games.size())
        source.manufacturers = manufacturers;
    if (columns.anyFacts && columns.years.size() == games.size()) {
        source.years = columns.years;
        source.statuses = columns.statuses;
    }
    source.flags = facts.flags;
    source.flags.resize(games.size());
    return source;
}

qsizetype TextDictionary::lowerBound(QStringView text) const {
    qsizetype low = 0, high = size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (this->text(middle) < text)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

quint32 letterMask(QStringView text, qsizetype count) {
    if (text.size() < count)
        return ~0u;
    quint32 mask = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t c = text[i].unicode();
        // Letters a to z have bits of their own, digits share the last six.
        const unsigned bit = c >= u'a' && c <= u'z'   ? c - u'a'
                             : c >= u'0' && c <= u'9' ? 26 + (c - u'0') % 6
                                                      : c % 32;
        mask |= 1u << bit;
    }
    return mask;
}

void TextDictionary::findAll(QStringView text,
                             const std::function<qsizetype(qsizetype)>& found) const {
    const bool narrowable = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x100 && c.unicode() != kBeyondLatin1;
    });
    if (!narrowable || text.isEmpty()) {
        for (qsizetype at = QStringView(all).indexOf(text); at >= 0;
             at = QStringView(all).indexOf(text, found(at)))
            ;
        return;
    }
    const QByteArray needle = narrowed(text);
    for (qsizetype from = 0; from < narrow.size();) {
        const void* at =
            memmem(narrow.constData() + from, static_cast<size_t>(narrow.size() - from),
                   needle.constData(), static_cast<size_t>(needle.size()));
        if (!at)
            return;
        from = found(static_cast<const char*>(at) - narrow.constData());
    }
}

qsizetype TextDictionary::textAt(qsizetype at) const {
    return std::upper_bound(starts.begin(), starts.end(), static_cast<quint32>(at)) -
           starts.begin() - 1;
}

SuggestionIndex buildSuggestionIndex(SuggestionSource source, const std::function<bool()>& stop) {
    const auto stopped = [&](qsizetype step = 0) { return step % 4096 == 0 && stop && stop(); };
    SuggestionIndex index;
    const qsizetype count = source.size();
    index.places = placesOf(source);
    if (stopped())
        return {};
    index.byDescription = byCompactDescription(source.descriptions);
    DictionaryBuilder words(count), titles(count);
    QString buffer; // one game's words, or one title, reused
    for (qsizetype i = 0; i < count; ++i) {
        if (stopped(i))
            return {};
        const auto at = static_cast<size_t>(i);
        buffer.resize(0);
        suggestiontext::appendWords(source.descriptions[at], buffer);
        if (at < source.manufacturers.size())
            suggestiontext::appendWords(source.manufacturers[at], buffer);
        suggestiontext::appendCompact(source.names[at], buffer);
        words.beginGame();
        for (const QStringView word : QStringView(buffer).tokenize(u' ', Qt::SkipEmptyParts))
            words.add(word);
        titles.beginGame();
        for (const QStringView title : suggestiontext::titles(source.descriptions[at])) {
            buffer.resize(0);
            suggestiontext::appendCompact(title, buffer);
            titles.add(buffer);
        }
    }
    index.words = words.finish();
    if (stopped())
        return {};
    index.titles = titles.finish();
    index.source = std::move(source);
    return index;
}
