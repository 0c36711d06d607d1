// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/AuditScope.h"

#include <algorithm>

QSet<QString> changedFileNames(const RomFolderState& before, const RomFolderState& after) {
    QSet<QString> changed;
    for (auto at = after.constBegin(); at != after.constEnd(); ++at) {
        const auto was = before.constFind(at.key());
        if (was == before.constEnd() || *was != *at)
            changed.insert(at.key());
    }
    for (auto at = before.constBegin(); at != before.constEnd(); ++at) {
        if (!after.contains(at.key()))
            changed.insert(at.key());
    }
    return changed;
}

QSet<QString> machinesUsing(const QSet<QString>& names, const MachineLinkTable& machines) {
    // Who uses what, in lower case as the folders are listed.
    QHash<QString, QStringList> users;
    QHash<QString, QString> machineNamed;
    for (auto at = machines.constBegin(); at != machines.constEnd(); ++at) {
        const QString& name = at.key();
        machineNamed.insert(name.toLower(), name);
        if (!at->romOf.isEmpty())
            users[at->romOf.toLower()].append(name);
        for (const QString& device : at->devices)
            users[device.toLower()].append(name);
        for (const QString& disk : at->disks)
            users[disk.toLower() + QStringLiteral(".chd")].append(name);
    }
    QSet<QString> found;
    QStringList waiting(names.begin(), names.end());
    QSet<QString> seen(names.begin(), names.end());
    while (!waiting.isEmpty()) {
        const QString name = waiting.takeLast().toLower();
        if (const auto machine = machineNamed.constFind(name); machine != machineNamed.constEnd())
            found.insert(*machine);
        for (const QString& user : users.value(name)) {
            if (!seen.contains(user)) {
                seen.insert(user);
                waiting.append(user);
            }
        }
    }
    return found;
}

AuditScope auditScope(const AuditMemory& memory, const QString& executable,
                      const QString& romFolders, const RomFolderState& folders,
                      const GameTable& games, bool forceFull) {
    AuditScope scope;
    const auto full = [&scope](const char* why) {
        scope.fullBecause = QString::fromLatin1(why);
        return scope;
    };
    if (forceFull)
        return full("a full audit was asked for");
    if (memory.auditedWith.isEmpty())
        return full("no earlier audit is remembered");
    if (memory.listing.isEmpty() || memory.listedWith != executable)
        return full("the last List was not made with this MAME");
    if (memory.auditedWith != executable)
        return full("MAME changed");
    if (memory.auditedListing != memory.listing)
        return full("the listing changed");
    if (memory.auditedFolders != romFolders)
        return full("the ROM folders changed");
    for (const GameRecord& game : games) {
        const auto machine = memory.machines.constFind(game.name());
        if (machine == memory.machines.constEnd() || !machine->runnable)
            return full("a game of the database is not in the listing");
    }

    const QSet<QString> changed = changedFileNames(memory.folders, folders);
    for (const QString& name : changed) {
        if (const auto now = folders.constFind(name); now != folders.constEnd())
            scope.changedFolders.insert(name, *now);
        else
            scope.goneFolders.append(name);
    }
    scope.touched = machinesUsing(changed, memory.machines);
    QSet<QString> check;
    for (const GameRecord& game : games) {
        if (scope.touched.contains(game.name()) || !memory.verdicts.contains(game.name()))
            check.insert(game.name());
    }
    scope.check = QStringList(check.begin(), check.end());
    std::sort(scope.check.begin(), scope.check.end());
    return scope;
}

AuditResult mergedAudit(const GameTable& games, const QHash<QString, SetFinding>& checked,
                        const QHash<QString, SetFinding>& remembered) {
    AuditResult result;
    result.findings.reserve(games.size());
    for (const GameRecord& game : games) {
        const auto fresh = checked.constFind(game.name());
        SetFinding finding =
            fresh != checked.constEnd()
                ? *fresh
                : remembered.value(game.name(), {game.name(), SetVerdict::NotFound, {}});
        finding.set = game.name();
        if (finding.verdict == SetVerdict::Good || finding.verdict == SetVerdict::BestAvailable)
            result.games.push_back(game);
        result.findings.push_back(std::move(finding));
    }
    result.kept = std::ssize(result.games);
    result.removed = std::ssize(games) - result.kept;
    return result;
}
