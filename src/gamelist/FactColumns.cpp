// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/FactColumns.h"

#include <QHash>

FactColumns alignColumns(const GameTable& games, const MachineColumns& machines,
                         const PlayTable& plays) {
    const size_t count = games.size();
    FactColumns columns;
    columns.years.resize(count);
    columns.statuses.resize(count, DriverStatus::Unknown);
    columns.players.resize(count);
    columns.coins.resize(count);
    columns.playCounts.resize(count);
    columns.lastPlayed.resize(count);
    QHash<QString, qint32> byName;
    byName.reserve(machines.size());
    for (qsizetype i = 0; i < machines.size(); ++i)
        byName.insert(machines.names[static_cast<size_t>(i)], static_cast<qint32>(i));
    for (size_t i = 0; i < count; ++i) {
        const QString name = games[static_cast<qsizetype>(i)].name();
        if (const auto found = byName.constFind(name); found != byName.cend()) {
            const auto at = static_cast<size_t>(*found);
            columns.years[i] = machines.years[at];
            columns.statuses[i] = machines.statuses[at];
            columns.players[i] = machines.players[at];
            columns.coins[i] = machines.coins[at];
            columns.anyFacts = true;
        }
        if (const auto played = plays.constFind(name); played != plays.cend()) {
            columns.playCounts[i] = played->count;
            columns.lastPlayed[i] = played->last;
        }
    }
    return columns;
}
