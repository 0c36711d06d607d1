// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameFlags.h"
#include "gamelist/NarrowColumns.h"
#include "gamelist/ShownRows.h"

#include <QStringList>

// What the list's Show menu lets through. By default everything, so a list
// without choices looks as it always did.
struct ShowChoices {
    bool clones = true;
    bool notWorking = true;
    bool mechanical = true;
    bool nonArcade = true;
    bool favouritesOnly = false;
    // The Manufacturer choice: the exact manufacturers shown, "" for an
    // unknown one; empty: all.
    QStringList makers{};
    // The Year choice: the years from and to (0: no bound), and whether games
    // of an unknown or uncertain year ("198?") are shown.
    int yearFrom = 0;
    int yearTo = 0;
    bool unknownYears = true;
    // The Category choice: the categories shown ("Genre / Subgenre"), "" for
    // games without one; empty: all. And whether games for adults are shown.
    QStringList categories{};
    bool mature = true;

    bool operator==(const ShowChoices&) const = default;
    bool hideNothing() const { return *this == ShowChoices{}; }
    // Whether the Manufacturer, Year or Category choice hides anything.
    bool narrowsMakers() const { return !makers.isEmpty(); }
    bool narrowsYears() const { return yearFrom != 0 || yearTo != 0 || !unknownYears; }
    bool narrowsCategories() const { return !categories.isEmpty() || !mature; }
};

// The rows of `rows` whose games `choices` let through, in the same order. A
// game hides when a flag it has is one the choices hide, or, with
// favouritesOnly, when it is no favourite, or when its manufacturer, year or
// category is not chosen. `flags` and `narrow` are aligned with the master
// table the rows point into; `narrow` is needed only when the choices narrow
// makers, years or categories (an empty one then hides every game).
ShownRows showThrough(const ShownRows& rows, const GameFlags& flags, const ShowChoices& choices,
                      const NarrowColumns& narrow = {});
