// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameFlags.h"

#include "text/TextFile.h"

#include <QHash>
#include <optional>

namespace {

// The entry of each game, when the list names them in the games' order (as
// List left them, or with games dropped since, as Audit does): each is found
// by walking on. Nothing when a game is not found so.
std::optional<std::vector<qint32>> entriesInOrder(const GameTable& games,
                                                  const std::vector<QString>& names) {
    std::vector<qint32> entries(games.size(), -1);
    size_t next = 0;
    for (size_t i = 0; i < games.size(); ++i) {
        while (next < names.size() && names[next] != games[i].name())
            ++next;
        if (next == names.size())
            return std::nullopt;
        entries[i] = static_cast<qint32>(next++);
    }
    return entries;
}

std::vector<qint32> entriesByName(const GameTable& games, const std::vector<QString>& names) {
    QHash<QString, qint32> byName;
    byName.reserve(std::ssize(names));
    for (size_t i = 0; i < names.size(); ++i)
        byName.insert(names[i], static_cast<qint32>(i));
    std::vector<qint32> entries(games.size(), -1);
    for (size_t i = 0; i < games.size(); ++i)
        entries[i] = byName.value(games[i].name(), -1);
    return entries;
}

} // namespace

GameFacts alignFacts(const GameTable& games, const MachineList& list,
                     const QSet<QString>& favourites) {
    GameFacts facts;
    facts.flags.resize(games.size());
    // The favourites as the file's bytes of the names: a name equals a text
    // exactly when its bytes are the text's (a text that would not read back
    // is no name).
    QSet<QByteArray> favouriteBytes;
    for (const QString& favourite : favourites) {
        if (readsBackAsWritten(favourite))
            favouriteBytes.insert(encodeText(favourite));
    }
    for (size_t i = 0; i < games.size(); ++i)
        facts.flags[i] = games[i].hasParent() ? GameFlag::Clone : 0;
    if (!favouriteBytes.isEmpty()) {
        for (size_t i = 0; i < games.size(); ++i) {
            const QByteArrayView name = games[i].nameBytes();
            if (favouriteBytes.contains(QByteArray::fromRawData(name.data(), name.size())))
                facts.flags[i] |= GameFlag::Favourite;
        }
    }
    facts.any = !list.empty();
    if (list.empty())
        return facts;
    const char* bits = list.bits.constData();
    if (list.size() == std::ssize(games) && list.namesHash == hashNames(games)) {
        for (size_t i = 0; i < games.size(); ++i)
            facts.flags[i] |= static_cast<quint8>(bits[i]);
        return facts;
    }
    const std::vector<QString> names = unpackTexts(list.names).value_or(std::vector<QString>());
    std::optional<std::vector<qint32>> entries = entriesInOrder(games, names);
    facts.entries = entries ? std::move(*entries) : entriesByName(games, names);
    for (size_t i = 0; i < games.size(); ++i) {
        if (facts.entries[i] >= 0 && facts.entries[i] < list.size())
            facts.flags[i] |= static_cast<quint8>(bits[facts.entries[i]]);
        else
            facts.entries[i] = -1;
    }
    return facts;
}

std::vector<QString> alignedManufacturers(const GameFacts& facts, const MachineList& list,
                                          qsizetype games) {
    if (!facts.any)
        return {};
    std::vector<QString> all = unpackTexts(list.manufacturers).value_or(std::vector<QString>());
    if (facts.entries.empty() && std::ssize(all) == games)
        return all;
    std::vector<QString> aligned(static_cast<size_t>(games));
    for (size_t i = 0; i < facts.entries.size() && i < aligned.size(); ++i) {
        const qint32 entry = facts.entries[i];
        if (entry >= 0 && entry < std::ssize(all))
            aligned[i] = all[static_cast<size_t>(entry)];
    }
    return aligned;
}

MachineList machineListFor(const GameTable& games, const GameFacts& facts,
                           const MachineList& list) {
    MachineList made;
    if (!facts.any)
        return made;
    const std::vector<QString> manufacturers = alignedManufacturers(facts, list, std::ssize(games));
    std::vector<QString> names;
    names.reserve(games.size());
    for (size_t i = 0; i < games.size(); ++i) {
        made.bits.append(
            static_cast<char>(facts.flags[i] & (MachineBit::NotWorking | MachineBit::Mechanical |
                                                MachineBit::NonArcade | MachineBit::Known)));
        names.push_back(games[i].name());
    }
    made.names = packTexts(names);
    made.manufacturers = packTexts(manufacturers);
    made.namesHash = hashNames(games);
    return made;
}
