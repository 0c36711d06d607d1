// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/CategoryFiles.h"
#include "database/GameRecord.h"

#include <QString>
#include <vector>

// What the Manufacturer, Year and Category choices test of each game, as
// small numbers aligned with the master table (entry i belongs to games[i]),
// so that a choice is applied to a million games without comparing a text.
struct NarrowColumns {
    std::vector<QString> makerNames;    // the distinct manufacturers; "" (unknown) is entry 0
    std::vector<qint32> makers;         // each game's entry in makerNames
    std::vector<qint16> years;          // each game's year; 0: unknown
    std::vector<QString> categoryNames; // the distinct categories; "" (none) is entry 0
    std::vector<qint32> categories;     // each game's entry in categoryNames
    std::vector<quint8> mature;         // 1 for a game for adults
    bool anyCategories = false;         // whether the category files named any game

    qsizetype size() const { return std::ssize(makers); }
};

// The year MAME gives ("1982") as a number; 0 for an unknown or uncertain
// one ("198?", "19??", "1980?", "").
int knownYear(QStringView year);

// Lines the manufacturers and years (aligned with `games`; either may be
// empty: all unknown) and the categories (by set name) up with `games`.
NarrowColumns narrowColumns(const GameTable& games, const std::vector<QString>& manufacturers,
                            const std::vector<QString>& years, const CategoryTable& categories);
