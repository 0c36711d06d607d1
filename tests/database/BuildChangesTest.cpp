// SPDX-License-Identifier: GPL-2.0-or-later
// Two builds compared: what counts as a rename, a status change and a
// change of files.
#include "database/BuildChanges.h"

#include <gtest/gtest.h>

namespace {

MachineDigest machine(const char* name, quint64 roms, DriverStatus status = DriverStatus::Good) {
    return {name, QString(name).toUpper(), {}, status, roms};
}

QStringList names(const std::vector<MachineDigest>& machines) {
    QStringList list;
    for (const MachineDigest& m : machines)
        list << m.name;
    return list;
}

} // namespace

TEST(BuildChanges, RenamesOnlyTheOneMachineWithTheSameFilesAndCountsEachMachineOnce) {
    BuildChanges changes = compareBuilds(
        {machine("old", 7), machine("twin1", 9), machine("twin2", 9), machine("none", 0),
         machine("both", 3, DriverStatus::Preliminary), machine("keep", 4, DriverStatus::Unknown)},
        {machine("new", 7), machine("twin3", 9), machine("none2", 0),
         machine("both", 5, DriverStatus::Imperfect),
         machine("keep", 4, DriverStatus::Preliminary)});
    ASSERT_EQ(changes.renamed.size(), 1u);
    EXPECT_EQ(changes.renamed[0].first.name, "old");
    EXPECT_EQ(changes.renamed[0].second.name, "new");
    // Two with the same files cannot tell which one went; no files, no rename.
    EXPECT_EQ(names(changes.removed), QStringList({"none", "twin1", "twin2"}));
    EXPECT_EQ(names(changes.added), QStringList({"none2", "twin3"}));
    EXPECT_EQ(names(changes.nowWorking), QStringList({"both"}));
    EXPECT_TRUE(changes.noLongerWorking.empty()) << "an unknown status changes nothing";
    EXPECT_EQ(names(changes.romsChanged), QStringList({"both"}));
    EXPECT_EQ(changes.machineCount(), 7);
    changes.build = "0.252 (mame0252)";
    EXPECT_EQ(changesSummary(changes), "MAME 0.252 changed 7 machines.");
}
