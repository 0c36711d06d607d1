// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/ColumnSort.h"

#include "text/Compare.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// A game's key in the sort; unknown values sort last either way.
constexpr quint32 kUnknown = std::numeric_limits<quint32>::max();

// The key of each shown game for a text column: the rank of its text among
// the distinct texts shown, texts that `compare` finds equal sharing a rank;
// an empty text (or none) is unknown. Ranking the few distinct texts keeps
// the texts out of the sort of the rows.
template <class Compare>
std::vector<quint32> textKeys(const ShownRows& shown, const std::vector<QString>& texts,
                              const Compare& compare) {
    std::vector<quint32> keys(static_cast<size_t>(shown.size()), kUnknown);
    QHash<QString, quint32> ids;
    std::vector<QString> distinct;
    for (qsizetype row = 0; row < shown.size(); ++row) {
        const auto position = static_cast<size_t>(shown[row]);
        if (position >= texts.size() || texts[position].isEmpty())
            continue;
        const QString& text = texts[position];
        auto found = ids.constFind(text);
        if (found == ids.cend()) {
            found = ids.insert(text, static_cast<quint32>(distinct.size()));
            distinct.push_back(text);
        }
        keys[static_cast<size_t>(row)] = *found;
    }
    std::vector<quint32> byText(distinct.size());
    std::iota(byText.begin(), byText.end(), 0u);
    std::sort(byText.begin(), byText.end(),
              [&](quint32 a, quint32 b) { return compare(distinct[a], distinct[b]) < 0; });
    std::vector<quint32> rankOf(distinct.size());
    quint32 rank = 0;
    for (size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 && compare(distinct[byText[i - 1]], distinct[byText[i]]) < 0)
            ++rank;
        rankOf[byText[i]] = rank;
    }
    for (quint32& key : keys)
        if (key != kUnknown)
            key = rankOf[key];
    return keys;
}

// The key of each shown game from `keyOf(position)`.
template <class KeyOf> std::vector<quint32> keysOf(const ShownRows& shown, const KeyOf& keyOf) {
    std::vector<quint32> keys(static_cast<size_t>(shown.size()));
    for (qsizetype row = 0; row < shown.size(); ++row)
        keys[static_cast<size_t>(row)] = keyOf(static_cast<size_t>(shown[row]));
    return keys;
}

quint32 statusKey(DriverStatus status) {
    switch (status) {
    case DriverStatus::Good:
        return 0;
    case DriverStatus::Imperfect:
        return 1;
    case DriverStatus::Preliminary:
        return 2;
    case DriverStatus::Unknown:
        break;
    }
    return kUnknown;
}

std::vector<quint32> columnKeys(const ShownRows& shown, GameColumn column,
                                const ColumnValues& values) {
    const FactColumns& facts = values.facts;
    switch (column) {
    case GameColumn::Year:
        return textKeys(shown, facts.years,
                        [](const QString& a, const QString& b) { return compareOrdinal(a, b); });
    case GameColumn::Manufacturer:
        return textKeys(shown, values.manufacturers, CaseInsensitiveCompare());
    case GameColumn::Status:
        return keysOf(shown, [&](size_t at) {
            return at < facts.statuses.size() ? statusKey(facts.statuses[at]) : kUnknown;
        });
    case GameColumn::Played:
        return keysOf(shown, [&](size_t at) {
            return at < facts.playCounts.size() ? static_cast<quint32>(facts.playCounts[at]) : 0u;
        });
    case GameColumn::Favourite:
        return keysOf(shown, [&](size_t at) {
            return at < values.flags.size() && (values.flags[at] & GameFlag::Favourite) ? 0u : 1u;
        });
    case GameColumn::Description:
        break;
    }
    return {};
}

} // namespace

std::vector<qint32> sortByColumn(const ShownRows& shown, GameColumn column, Qt::SortOrder order,
                                 const ColumnValues& values) {
    const auto count = static_cast<size_t>(shown.size());
    std::vector<qint32> rows(count);
    std::iota(rows.begin(), rows.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    if (column == GameColumn::Description) {
        if (descending)
            std::reverse(rows.begin(), rows.end());
        return rows;
    }
    // Key and row in one number: sorting those sorts by key, equal keys in
    // the rows' own order.
    const std::vector<quint32> keys = columnKeys(shown, column, values);
    std::vector<quint64> keyed(count);
    for (size_t row = 0; row < count; ++row) {
        quint64 key = keys[row];
        if (descending && key != kUnknown)
            key = kUnknown - 1 - key;
        keyed[row] = key << 32 | row;
    }
    std::sort(keyed.begin(), keyed.end());
    for (size_t k = 0; k < count; ++k)
        rows[k] = static_cast<qint32>(keyed[k] & 0xffffffffu);
    return rows;
}
