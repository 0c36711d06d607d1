// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/NarrowOffer.h"

#include <QString>
#include <algorithm>
#include <map>

namespace {

// The names of `names` that `rows` hold, with their counts, sorted by name.
std::vector<CountedValue> countNames(const ShownRows& rows, const std::vector<qint32>& numbers,
                                     const std::vector<QString>& names,
                                     const std::vector<quint8>* mature) {
    std::vector<qint64> counts(names.size()), matureCounts(names.size());
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const auto at = static_cast<size_t>(rows[row]);
        const auto number = static_cast<size_t>(numbers[at]);
        ++counts[number];
        if (mature && (*mature)[at])
            ++matureCounts[number];
    }
    std::vector<CountedValue> values;
    for (size_t i = 0; i < names.size(); ++i) {
        if (counts[i] > 0)
            values.push_back({names[i], counts[i], matureCounts[i]});
    }
    std::sort(values.begin(), values.end(), [](const CountedValue& a, const CountedValue& b) {
        const int order = a.name.compare(b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return values;
}

} // namespace

ShowChoices withoutChoice(ShowChoices choices, NarrowKind kind) {
    const ShowChoices all;
    switch (kind) {
    case NarrowKind::Maker:
        choices.makers = all.makers;
        break;
    case NarrowKind::Year:
        choices.yearFrom = all.yearFrom;
        choices.yearTo = all.yearTo;
        choices.unknownYears = all.unknownYears;
        break;
    case NarrowKind::Category:
        choices.categories = all.categories;
        choices.mature = all.mature;
        break;
    }
    return choices;
}

std::vector<CountedValue> countValues(NarrowKind kind, const ShownRows& rows,
                                      const NarrowColumns& narrow) {
    if (narrow.size() == 0)
        return {};
    switch (kind) {
    case NarrowKind::Maker:
        return countNames(rows, narrow.makers, narrow.makerNames, nullptr);
    case NarrowKind::Category:
        return countNames(rows, narrow.categories, narrow.categoryNames, &narrow.mature);
    case NarrowKind::Year:
        break;
    }
    std::map<int, qint64> years;
    for (qsizetype row = 0; row < rows.size(); ++row)
        ++years[narrow.years[static_cast<size_t>(rows[row])]];
    std::vector<CountedValue> values;
    for (const auto& [year, count] : years) {
        if (year != 0)
            values.push_back({QString::number(year), count, 0});
    }
    if (const auto unknown = years.find(0); unknown != years.end())
        values.push_back({QString(), unknown->second, 0});
    return values;
}
