// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/ShowChoices.h"

#include <QSet>
#include <limits>

namespace {

// Which of `names` are among `chosen`, one byte each.
std::vector<quint8> chosenOf(const std::vector<QString>& names, const QStringList& chosen) {
    const QSet<QString> wanted(chosen.cbegin(), chosen.cend());
    std::vector<quint8> marks(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        marks[i] = wanted.contains(names[i]) ? 1 : 0;
    return marks;
}

} // namespace

ShownRows showThrough(const ShownRows& rows, const GameFlags& flags, const ShowChoices& choices,
                      const NarrowColumns& narrow) {
    if (choices.hideNothing())
        return rows;
    const quint8 hidden = (choices.clones ? 0 : GameFlag::Clone) |
                          (choices.notWorking ? 0 : GameFlag::NotWorking) |
                          (choices.mechanical ? 0 : GameFlag::Mechanical) |
                          (choices.nonArcade ? 0 : GameFlag::NonArcade);
    const quint8 needed = choices.favouritesOnly ? GameFlag::Favourite : 0;
    const bool byMaker = choices.narrowsMakers();
    const bool byYear = choices.narrowsYears();
    const bool byCategory = !choices.categories.isEmpty();
    const bool noMature = !choices.mature;
    if ((byMaker || byYear || byCategory || noMature) && narrow.size() != std::ssize(flags))
        return {}; // nothing known to choose by
    const std::vector<quint8> makers =
        byMaker ? chosenOf(narrow.makerNames, choices.makers) : std::vector<quint8>();
    const std::vector<quint8> categories =
        byCategory ? chosenOf(narrow.categoryNames, choices.categories) : std::vector<quint8>();
    const int from = choices.yearFrom;
    const int to = choices.yearTo == 0 ? std::numeric_limits<int>::max() : choices.yearTo;
    std::vector<qint32> positions;
    const qsizetype count = rows.size();
    for (qsizetype row = 0; row < count; ++row) {
        const qint32 position = rows[row];
        const auto at = static_cast<size_t>(position);
        const quint8 game = flags[at];
        if ((game & hidden) != 0 || (game & needed) != needed)
            continue;
        if (byMaker && !makers[static_cast<size_t>(narrow.makers[at])])
            continue;
        if (byYear) {
            const int year = narrow.years[at];
            if (year == 0 ? !choices.unknownYears : (year < from || year > to))
                continue;
        }
        if (byCategory && !categories[static_cast<size_t>(narrow.categories[at])])
            continue;
        if (noMature && narrow.mature[at])
            continue;
        positions.push_back(position);
    }
    return ShownRows::only(std::move(positions));
}
