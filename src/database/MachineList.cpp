// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineList.h"

#include <QHash>
#include <QtEndian>
#include <cstring>

namespace {

quint8 bitsOf(const MachineFacts& facts) {
    return MachineBit::Known |
           (facts.status == DriverStatus::Preliminary ? MachineBit::NotWorking : 0) |
           (facts.mechanical ? MachineBit::Mechanical : 0) |
           (facts.coins == 0 ? MachineBit::NonArcade : 0);
}

// FNV-1a, over the names' UTF-16 units four at a time, each name closed by
// a unit that no name holds: start-up hashes 40,000 names.
constexpr quint64 kOffset = 14695981039346656037ull;
constexpr quint64 kPrime = 1099511628211ull;

} // namespace

quint64 hashNames(const GameTable& games) {
    quint64 hash = kOffset;
    for (const GameRecord& game : games) {
        const char16_t* units = reinterpret_cast<const char16_t*>(game.name.constData());
        const qsizetype count = game.name.size();
        qsizetype i = 0;
        for (; i + 4 <= count; i += 4) {
            quint64 four;
            std::memcpy(&four, units + i, sizeof four);
            hash = (hash ^ four) * kPrime;
        }
        for (; i < count; ++i)
            hash = (hash ^ units[i]) * kPrime;
        hash = (hash ^ 0xFFFF) * kPrime;
    }
    return hash;
}

QByteArray packTexts(const std::vector<QString>& texts) {
    QByteArray packed;
    for (const QString& text : texts) {
        const QByteArray bytes = text.toUtf8();
        char length[4];
        qToLittleEndian<quint32>(static_cast<quint32>(bytes.size()), length);
        packed.append(length, 4).append(bytes);
    }
    return packed;
}

std::optional<std::vector<QString>> unpackTexts(const QByteArray& packed) {
    std::vector<QString> texts;
    qsizetype at = 0;
    while (at < packed.size()) {
        if (packed.size() - at < 4)
            return std::nullopt;
        const quint32 length = qFromLittleEndian<quint32>(packed.constData() + at);
        at += 4;
        if (static_cast<quint64>(packed.size() - at) < length)
            return std::nullopt;
        texts.push_back(QString::fromUtf8(packed.constData() + at, length));
        at += length;
    }
    return texts;
}

namespace {

// How many texts `packed` holds, walking their lengths only; -1 when it is
// not a packed form.
qsizetype countTexts(const QByteArray& packed) {
    qsizetype count = 0;
    qsizetype at = 0;
    while (at < packed.size()) {
        if (packed.size() - at < 4)
            return -1;
        const quint32 length = qFromLittleEndian<quint32>(packed.constData() + at);
        at += 4;
        if (static_cast<quint64>(packed.size() - at) < length)
            return -1;
        at += length;
        ++count;
    }
    return count;
}

} // namespace

bool isWellFormed(const MachineList& list) {
    return countTexts(list.names) == list.size() && countTexts(list.manufacturers) == list.size();
}

MachineList machineListOf(const GameTable& games, const MachineFactsTable& facts) {
    MachineList list;
    if (facts.empty())
        return list;
    QHash<QString, const MachineFacts*> byName;
    byName.reserve(std::ssize(facts));
    for (const MachineFacts& machine : facts)
        byName.insert(machine.name, &machine);
    std::vector<QString> names, manufacturers;
    names.reserve(games.size());
    manufacturers.reserve(games.size());
    list.bits.reserve(std::ssize(games));
    for (const GameRecord& game : games) {
        const MachineFacts* machine = byName.value(game.name);
        list.bits.append(static_cast<char>(machine ? bitsOf(*machine) : 0));
        names.push_back(game.name);
        manufacturers.push_back(machine ? machine->manufacturer : QString());
    }
    list.names = packTexts(names);
    list.manufacturers = packTexts(manufacturers);
    list.namesHash = hashNames(games);
    return list;
}
