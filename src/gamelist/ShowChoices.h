// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gamelist/GameFlags.h"
#include "gamelist/ShownRows.h"

// What the list's Show menu lets through. By default everything, so a list
// without choices looks as it always did.
struct ShowChoices {
    bool clones = true;
    bool notWorking = true;
    bool mechanical = true;
    bool nonArcade = true;
    bool favouritesOnly = false;

    bool operator==(const ShowChoices&) const = default;
    bool hideNothing() const { return *this == ShowChoices{}; }
};

// The rows of `rows` whose games `choices` let through, in the same order. A
// game hides when a flag it has is one the choices hide, or, with
// favouritesOnly, when it is no favourite. `flags` is aligned with the master
// table the rows point into.
ShownRows showThrough(const ShownRows& rows, const GameFlags& flags, const ShowChoices& choices);
