// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/NarrowColumns.h"
#include "gamelist/ShowChoices.h"
#include "gamelist/ShownRows.h"

#include <QString>
#include <vector>

// The three choices that narrow the list by a fact of each game.
enum class NarrowKind { Maker, Year, Category };

// One value a choice offers, with the number of games it would leave.
struct CountedValue {
    QString name; // an exact manufacturer, a year ("1982"; "" unknown), a category ("" none)
    qint64 count = 0;
    qint64 matureCount = 0; // of those, the games for adults (categories only)
    bool operator==(const CountedValue&) const = default;
};

// What a choice's dialog lists: the values present among the games that the
// driver filter and the other choices let through, each with its count, in
// the order the dialog shows them (manufacturers and categories by name
// ignoring case, years ascending with the unknown last), and the choices as
// they are.
struct NarrowOffer {
    NarrowKind kind = NarrowKind::Maker;
    ShowChoices current;
    std::vector<CountedValue> values;
};

// `choices` with the choice of `kind` back at "All".
ShowChoices withoutChoice(ShowChoices choices, NarrowKind kind);

// Counts the values of `kind` among `rows` (which the other choices already
// let through).
std::vector<CountedValue> countValues(NarrowKind kind, const ShownRows& rows,
                                      const NarrowColumns& narrow);
