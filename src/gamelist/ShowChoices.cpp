// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/ShowChoices.h"

ShownRows showThrough(const ShownRows& rows, const GameFlags& flags, const ShowChoices& choices) {
    if (choices.hideNothing())
        return rows;
    const quint8 hidden = (choices.clones ? 0 : GameFlag::Clone) |
                          (choices.notWorking ? 0 : GameFlag::NotWorking) |
                          (choices.mechanical ? 0 : GameFlag::Mechanical) |
                          (choices.nonArcade ? 0 : GameFlag::NonArcade);
    const quint8 needed = choices.favouritesOnly ? GameFlag::Favourite : 0;
    std::vector<qint32> positions;
    const qsizetype count = rows.size();
    for (qsizetype row = 0; row < count; ++row) {
        const qint32 position = rows[row];
        const quint8 game = flags[static_cast<size_t>(position)];
        if ((game & hidden) == 0 && (game & needed) == needed)
            positions.push_back(position);
    }
    return ShownRows::only(std::move(positions));
}
