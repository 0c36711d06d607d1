// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineList.h"

#include "text/TextFile.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>

quint8 machineBitsOf(const MachineFacts& facts) {
    return MachineBit::Known |
           (facts.status == DriverStatus::Preliminary ? MachineBit::NotWorking : 0) |
           (facts.mechanical ? MachineBit::Mechanical : 0) |
           (facts.coins == 0 ? MachineBit::NonArcade : 0);
}

namespace {

// FNV-1a, over the names' UTF-16 units four at a time, each name closed by
// a unit that no name holds: start-up hashes 40,000 names.
constexpr quint64 kOffset = 14695981039346656037ull;
constexpr quint64 kPrime = 1099511628211ull;

// Four code units as they lie in memory, the first in the lowest bits.
quint64 unitsOf(char16_t a, char16_t b, char16_t c, char16_t d) {
    return quint64(a) | quint64(b) << 16 | quint64(c) << 32 | quint64(d) << 48;
}

quint64 hashUnits(quint64 hash, QStringView name) {
    const char16_t* units = name.utf16();
    const qsizetype count = name.size();
    qsizetype i = 0;
    for (; i + 4 <= count; i += 4)
        hash = (hash ^ unitsOf(units[i], units[i + 1], units[i + 2], units[i + 3])) * kPrime;
    for (; i < count; ++i)
        hash = (hash ^ units[i]) * kPrime;
    return hash;
}

// The same for a name in the file's form; one of ASCII bytes is its own
// code units.
quint64 hashBytes(quint64 hash, QByteArrayView name) {
    if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }))
        return hashUnits(hash, decodeText(name));
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.data());
    const qsizetype count = name.size();
    qsizetype i = 0;
    for (; i + 4 <= count; i += 4)
        hash = (hash ^ unitsOf(bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3])) * kPrime;
    for (; i < count; ++i)
        hash = (hash ^ bytes[i]) * kPrime;
    return hash;
}

} // namespace

quint64 hashNames(const GameTable& games) {
    quint64 hash = kOffset;
    for (const GameRecord& game : games)
        hash = (hashBytes(hash, game.nameBytes()) ^ 0xFFFF) * kPrime;
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
        QString name = game.name();
        const MachineFacts* machine = byName.value(name);
        list.bits.append(static_cast<char>(machine ? machineBitsOf(*machine) : 0));
        names.push_back(std::move(name));
        manufacturers.push_back(machine ? machine->manufacturer : QString());
    }
    list.names = packTexts(names);
    list.manufacturers = packTexts(manufacturers);
    list.namesHash = hashNames(games);
    return list;
}

namespace {

// Appends `text` to `packed` in the packed form.
void appendPacked(QByteArray& packed, QByteArrayView utf8) {
    char length[4];
    qToLittleEndian<quint32>(static_cast<quint32>(utf8.size()), length);
    packed.append(length, 4).append(utf8);
}

} // namespace

MachineList machineListOf(const GameTable& games, const std::vector<quint8>& bits,
                          const std::vector<quint32>& manufacturerOf,
                          const std::vector<QString>& manufacturers) {
    MachineList list;
    if (games.empty())
        return list;
    std::vector<QByteArray> manufacturerBytes;
    manufacturerBytes.reserve(manufacturers.size());
    for (const QString& manufacturer : manufacturers)
        manufacturerBytes.push_back(manufacturer.toUtf8());
    // A name's UTF-8 as packTexts() gives it: the bytes themselves unless
    // they are not all ASCII.
    const auto utf8 = [](QByteArrayView name) {
        if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }))
            return decodeText(name).toUtf8();
        return QByteArray::fromRawData(name.data(), name.size());
    };
    // Each of the three made at its size at once.
    const qsizetype count = std::ssize(games);
    qsizetype namesSize = 0, manufacturersSize = 0;
    for (qsizetype i = 0; i < count; ++i) {
        namesSize += 4 + utf8(games[i].nameBytes()).size();
        manufacturersSize += 4 + manufacturerBytes[manufacturerOf[size_t(i)]].size();
    }
    list.bits.reserve(count);
    list.names.reserve(namesSize);
    list.manufacturers.reserve(manufacturersSize);
    quint64 hash = kOffset;
    for (qsizetype i = 0; i < count; ++i) {
        list.bits.append(static_cast<char>(bits[size_t(i)]));
        appendPacked(list.manufacturers, manufacturerBytes[manufacturerOf[size_t(i)]]);
        const QByteArrayView name = games[i].nameBytes();
        appendPacked(list.names, utf8(name));
        hash = (hashBytes(hash, name) ^ 0xFFFF) * kPrime;
    }
    list.namesHash = hash;
    return list;
}
