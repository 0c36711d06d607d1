// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/GameRecord.h"
#include "database/MachineFacts.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// What a machine's facts give the Show choices, as bits.
namespace MachineBit {
enum : quint8 {
    NotWorking = 2, // the driver's status is preliminary
    Mechanical = 4,
    NonArcade = 8, // no coin slot: a console, computer or handheld
    Known = 32,    // the machine's facts are known
};
} // namespace MachineBit

// What the list keeps of the machine facts: one entry per game of a table,
// in its order, packed as the catalogue keeps it, so that start-up reads three
// values instead of a row per machine. The set names and the manufacturers
// are packed texts (per text a 32-bit little-endian length and as many bytes
// of UTF-8), decoded only when needed; the hash of the names tells whether
// the list still lines up with a table without decoding them.
struct MachineList {
    QByteArray bits; // per entry, MachineBit values
    QByteArray names;
    QByteArray manufacturers;
    quint64 namesHash = 0;

    qsizetype size() const { return bits.size(); }
    bool empty() const { return bits.isEmpty(); }
    bool operator==(const MachineList&) const = default;
};

// The list for `games` (in the database file's order) from the facts of
// their machines; a game without facts has no bit set.
MachineList machineListOf(const GameTable& games, const MachineFactsTable& facts);

// The MachineBit values of a machine.
quint8 machineBitsOf(const MachineFacts& facts);

// The list for `games`, from each game's bits (bits[i]) and manufacturer
// (manufacturers[manufacturerOf[i]]), given in the table's order.
MachineList machineListOf(const GameTable& games, const std::vector<quint8>& bits,
                          const std::vector<quint32>& manufacturerOf,
                          const std::vector<QString>& manufacturers);

// The hash of the games' set names in order, as a list of them carries it.
quint64 hashNames(const GameTable& games);

// The packed form of `texts`, and back. unpackTexts() gives nothing for bytes
// that are not such a form.
QByteArray packTexts(const std::vector<QString>& texts);
std::optional<std::vector<QString>> unpackTexts(const QByteArray& packed);

// Whether the list's parts agree: as many names and manufacturers as bits
// (the texts are counted, not decoded).
bool isWellFormed(const MachineList& list);
