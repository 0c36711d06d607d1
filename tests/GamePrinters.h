// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Readable gtest output for games and tables of them.

#include "QtPrinters.h"
#include "database/GameRecord.h"

inline void PrintTo(const GameFields& game, std::ostream* os) {
    *os << '{' << game.description.toStdString() << '|' << game.name.toStdString() << '|'
        << game.parent.toStdString() << '|' << game.driver.toStdString() << '}';
}

inline void PrintTo(const GameRecord& game, std::ostream* os) {
    PrintTo(game.fields(), os);
}
