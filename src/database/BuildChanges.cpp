// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/BuildChanges.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace {

QString formatCount(qint64 number) {
    return QLocale(QLocale::English).toString(number);
}

bool isWorking(DriverStatus status) {
    return status == DriverStatus::Good || status == DriverStatus::Imperfect;
}

bool before(const MachineDigest& a, const MachineDigest& b) {
    const int order = a.description.compare(b.description, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.name < b.name;
}

void sortMachines(std::vector<MachineDigest>& machines) {
    std::sort(machines.begin(), machines.end(), before);
}

QHash<QString, const MachineDigest*> byName(const BuildDigests& digests) {
    QHash<QString, const MachineDigest*> index;
    index.reserve(std::ssize(digests));
    for (const MachineDigest& machine : digests)
        index.insert(machine.name, &machine);
    return index;
}

// The digests that stand for exactly one machine of `machines`.
QHash<quint64, qsizetype> uniqueDigests(const std::vector<MachineDigest>& machines) {
    QHash<quint64, qsizetype> at;
    QSet<quint64> repeated;
    for (qsizetype i = 0; i < std::ssize(machines); ++i) {
        const quint64 digest = machines[size_t(i)].roms;
        if (digest == 0 || repeated.contains(digest))
            continue;
        if (at.contains(digest)) {
            at.remove(digest);
            repeated.insert(digest);
        } else {
            at.insert(digest, i);
        }
    }
    return at;
}

QString entry(const MachineDigest& machine) {
    return QStringLiteral("  %1 [%2]").arg(machine.description, machine.name);
}

void appendSection(QStringList& lines, const QString& title,
                   const std::vector<MachineDigest>& machines) {
    lines << QStringLiteral("%1: %2").arg(title, formatCount(std::ssize(machines)));
    for (const MachineDigest& machine : machines)
        lines << entry(machine);
}

// "0.252" of "0.252 (mame0252)".
QString versionOf(const QString& build) {
    return build.section(u' ', 0, 0);
}

} // namespace

BuildDigestSource digestsOf(const GameTable& games, const std::vector<DriverStatus>& statuses,
                            const std::vector<quint64>& roms) {
    return {std::ssize(games), [&games, &statuses, &roms](qsizetype i) {
                const GameRecord game = games[i];
                const auto at = static_cast<size_t>(i);
                return MachineDigest{game.name(), game.description(), game.parent(),
                                     at < statuses.size() ? statuses[at] : DriverStatus::Unknown,
                                     at < roms.size() ? roms[at] : 0};
            }};
}

BuildDigestSource digestsOf(const BuildDigests& digests) {
    return {std::ssize(digests), [&digests](qsizetype i) { return digests[size_t(i)]; }};
}

qsizetype BuildChanges::machineCount() const {
    QSet<QString> changed;
    for (const auto* list : {&nowWorking, &noLongerWorking, &romsChanged}) {
        for (const MachineDigest& machine : *list)
            changed.insert(machine.name);
    }
    return std::ssize(added) + std::ssize(removed) + std::ssize(renamed) + changed.size();
}

BuildChanges compareBuilds(const BuildDigests& beforeBuild, const BuildDigests& afterBuild) {
    BuildChanges changes;
    const QHash<QString, const MachineDigest*> oldMachines = byName(beforeBuild);
    const QHash<QString, const MachineDigest*> newMachines = byName(afterBuild);
    std::vector<MachineDigest> gone;
    for (const MachineDigest& machine : beforeBuild) {
        if (!newMachines.contains(machine.name))
            gone.push_back(machine);
    }
    std::vector<MachineDigest> come;
    for (const MachineDigest& machine : afterBuild) {
        const auto old = oldMachines.constFind(machine.name);
        if (old == oldMachines.constEnd()) {
            come.push_back(machine);
            continue;
        }
        const MachineDigest& was = **old;
        if (was.status != DriverStatus::Unknown && machine.status != DriverStatus::Unknown &&
            isWorking(was.status) != isWorking(machine.status))
            (isWorking(machine.status) ? changes.nowWorking : changes.noLongerWorking)
                .push_back(machine);
        if (was.roms != machine.roms)
            changes.romsChanged.push_back(machine);
    }

    // A removed and an added machine with the same files, each the only one
    // of its side with them, are one machine renamed.
    const QHash<quint64, qsizetype> goneDigests = uniqueDigests(gone);
    const QHash<quint64, qsizetype> comeDigests = uniqueDigests(come);
    std::vector<bool> goneRenamed(gone.size()), comeRenamed(come.size());
    for (auto at = goneDigests.constBegin(); at != goneDigests.constEnd(); ++at) {
        const auto to = comeDigests.constFind(at.key());
        if (to == comeDigests.constEnd())
            continue;
        changes.renamed.emplace_back(gone[size_t(*at)], come[size_t(*to)]);
        goneRenamed[size_t(*at)] = true;
        comeRenamed[size_t(*to)] = true;
    }
    for (size_t i = 0; i < gone.size(); ++i) {
        if (!goneRenamed[i])
            changes.removed.push_back(gone[i]);
    }
    for (size_t i = 0; i < come.size(); ++i) {
        if (!comeRenamed[i])
            changes.added.push_back(come[i]);
    }
    for (auto* list : {&changes.added, &changes.removed, &changes.nowWorking,
                       &changes.noLongerWorking, &changes.romsChanged})
        sortMachines(*list);
    std::sort(changes.renamed.begin(), changes.renamed.end(),
              [](const auto& a, const auto& b) { return before(a.second, b.second); });
    return changes;
}

QString changesSummary(const BuildChanges& changes) {
    const qsizetype count = changes.machineCount();
    return QCoreApplication::translate("BuildChanges", "MAME %1 changed %2 %3.")
        .arg(versionOf(changes.build), formatCount(count),
             count == 1 ? QStringLiteral("machine") : QStringLiteral("machines"));
}

QStringList changesReportLines(const BuildChanges& changes) {
    QStringList lines{changesSummary(changes),
                      QCoreApplication::translate("BuildChanges", "Builds compared: %1 \u2192 %2")
                          .arg(changes.previousBuild, changes.build),
                      QString()};
    appendSection(lines, QCoreApplication::translate("BuildChanges", "Added"), changes.added);
    appendSection(lines, QCoreApplication::translate("BuildChanges", "Removed"), changes.removed);
    lines << QCoreApplication::translate("BuildChanges", "Renamed: %1")
                 .arg(formatCount(std::ssize(changes.renamed)));
    for (const auto& [from, to] : changes.renamed)
        lines << QStringLiteral("  %1 \u2192 %2  %3").arg(from.name, to.name, to.description);
    appendSection(lines, QCoreApplication::translate("BuildChanges", "Now working"),
                  changes.nowWorking);
    appendSection(lines, QCoreApplication::translate("BuildChanges", "No longer working"),
                  changes.noLongerWorking);
    appendSection(lines, QStringLiteral("ROMs changed"), changes.romsChanged);
    if (!changes.missingFavourites.isEmpty())
        lines << QString()
              << QCoreApplication::translate("BuildChanges", "Favourites no longer in MAME: %1")
                     .arg(changes.missingFavourites.join(QStringLiteral(", ")));
    return lines;
}
