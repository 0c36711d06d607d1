// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The group a manufacturer's name falls under in the Manufacturer choice:
// the first of several makers ("Namco / Bally": "Namco"), without what a
// bracket adds ("Namco (Midway license)": "Namco"); every bootleg under
// "bootleg" ("bootleg (Namco)", "bootleg?"), and "<unknown>" or a missing
// name under the empty group (unknown).
QString makerGroup(const QString& manufacturer);
