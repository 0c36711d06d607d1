// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue, on real SQLite files in a temporary working folder.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueChange.h"
#include "catalogue/StoreSchema.h"

#include "OutcomeText.h"
#include "TestFolders.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class CatalogueFile : public InWorkFolder {
  protected:
    // The file's own answer to `statement`, on a connection of the test's.
    static QVariant ask(const QString& statement, const QString& file = "coinslot.sqlite") {
        QVariant answer;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "test");
            db.setDatabaseName(file);
            db.open();
            QSqlQuery query(db);
            if (query.exec(statement) && query.next())
                answer = query.value(0);
        }
        QSqlDatabase::removeDatabase("test");
        return answer;
    }
    static QStringList brokenFiles(const QString& file = "coinslot.sqlite") {
        return QDir().entryList({file + ".broken-*"}, QDir::Files);
    }
};

MachineFacts pacman() {
    return {.name = "pacman",
            .year = "1980",
            .manufacturer = "Namco (Midway license)",
            .status = DriverStatus::Good,
            .cloneOf = "puckman",
            .screenType = "raster",
            .screenRotation = 90,
            .players = 2,
            .coins = 2};
}

// What a List commits with the database file beside the store.
Outcome<Done> listed(const MachineFactsTable& facts, const MachineList& list) {
    CatalogueChange change("coinslot.sqlite");
    change.replaceMachines(facts, list);
    return change.commit(stampOf("coinslot.dat"));
}

// What an Audit commits.
Outcome<Done> audited(const std::vector<AuditVerdictRow>& verdicts) {
    CatalogueChange change("coinslot.sqlite");
    change.replaceAudit(verdicts, {});
    return change.commit(stampOf("coinslot.dat"));
}

} // namespace

TEST_F(CatalogueFile, KeepsTheUsersDataWhateverTheMachineFactsBecome) {
    Catalogue catalogue("coinslot.sqlite");
    EXPECT_EQ(failureText(catalogue.open()), "");
    EXPECT_EQ(ask("PRAGMA journal_mode").toString(), "wal");
    for (const auto& [set, favourite] : {std::pair{"pacman", true}, {"sf2", true}, {"sf2", false}})
        ASSERT_TRUE(catalogue.setFavourite(set, favourite).ok());
    const QDateTime first(QDate(2026, 12, 6), QTime(20, 0)), last(QDate(2026, 12, 7), QTime(9, 5));
    ASSERT_TRUE(catalogue.countPlay("pacman", first).ok() &&
                catalogue.countPlay("pacman", last).ok());
    ASSERT_TRUE(audited({{"pacman", "bad", {"a.6e NOT FOUND", "b.6f"}}}).ok());

    const GameTable games = {{"Pac-Man (Midway)", "pacman", "puckman", "pacman"}};
    const MachineList list = machineListOf(games, {pacman()});
    writeAll("coinslot.dat", "Pac-Man (Midway)|pacman|puckman|pacman\r\n");
    ASSERT_EQ(failureText(listed({pacman()}, list)), "");
    EXPECT_EQ(catalogue.facts("pacman"), pacman());
    EXPECT_EQ(catalogue.stamp(), stampOf("coinslot.dat"));

    // Opened again, as at the next start.
    Catalogue again("coinslot.sqlite");
    const CatalogueContents contents = valueOf(again.open());
    EXPECT_EQ(contents.machines, list);
    EXPECT_EQ(contents.stamp, stampOf("coinslot.dat"));
    EXPECT_EQ(contents.favourites, QSet<QString>({"pacman"}));
    EXPECT_EQ(std::pair(again.plays("pacman").count, again.plays("pacman").last),
              std::pair(2, last));
    EXPECT_EQ(again.auditVerdict("pacman")->problems, QStringList({"a.6e NOT FOUND", "b.6f"}));

    // An old MAME's List: no facts, the user's data stays.
    ASSERT_TRUE(listed({}, {}).ok());
    EXPECT_EQ(again.facts("pacman"), std::nullopt);
    const CatalogueContents emptied = valueOf(Catalogue("coinslot.sqlite").open());
    EXPECT_TRUE(emptied.machines.empty());
    EXPECT_EQ(emptied.favourites.size(), 1);
    // A new audit replaces the verdicts as a whole.
    ASSERT_EQ(failureText(audited({{"sf2", "good", {}}})), "");
    EXPECT_EQ(again.auditVerdict("pacman"), std::nullopt);
    EXPECT_EQ(again.auditVerdict("sf2")->verdict, "good");
}

TEST_F(CatalogueFile, ADamagedFileIsMovedAsideAndAFreshOneStartedButANewerOneIsLeftAlone) {
    for (const QByteArray& damage : {QByteArray("not a catalogue at all, but long enough to look"),
                                     "SQLite format 3" + QByteArray(500, '\0')}) {
        for (const QString& file : brokenFiles())
            QFile::remove(file);
        writeAll("coinslot.sqlite", damage);
        Catalogue catalogue("coinslot.sqlite");
        const Outcome<CatalogueContents> opened = catalogue.open();
        ASSERT_EQ(brokenFiles().size(), 1);
        EXPECT_TRUE(failsWith(opened, "so it was moved to " + brokenFiles()[0]));
        EXPECT_EQ(readAll(brokenFiles()[0]), damage); // never deleted
        EXPECT_TRUE(catalogue.isOpen());
        EXPECT_TRUE(catalogue.setFavourite("pacman", true).ok());
        EXPECT_EQ(valueOf(Catalogue("coinslot.sqlite").open()).favourites.size(), 1);
    }
    // Another program's SQLite file is moved aside too.
    ask("CREATE TABLE notes (text TEXT)", "notes.sqlite");
    ASSERT_EQ(ask("SELECT count(*) FROM sqlite_master", "notes.sqlite").toInt(), 1);
    EXPECT_TRUE(failsWith(Catalogue("notes.sqlite").open(), "it is not this program's store"));
    EXPECT_EQ(brokenFiles("notes.sqlite").size(), 1);
    // A newer version's catalogue is left alone, and nothing is written to it.
    ask(QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion + 1));
    const QByteArray before = readAll("coinslot.sqlite");
    Catalogue newer("coinslot.sqlite");
    EXPECT_TRUE(failsWith(newer.open(), "made by a newer version of this program"));
    EXPECT_FALSE(newer.isOpen());
    EXPECT_FALSE(newer.setFavourite("pacman", true).ok());
    EXPECT_FALSE(listed({pacman()}, {}).ok());
    EXPECT_EQ(readAll("coinslot.sqlite"), before);
    EXPECT_EQ(brokenFiles().size(), 1);
}

TEST_F(CatalogueFile, AChangeLeavesTheCatalogueAsItWasUntilItIsCommittedWithTheDatabasesStamp) {
    Catalogue store("coinslot.sqlite");
    ASSERT_TRUE(store.open().ok());
    EXPECT_EQ(store.stamp(), std::nullopt); // no List yet
    writeAll("coinslot.dat", "Pac-Man (Midway)|pacman|puckman|pacman\r\n");
    ASSERT_TRUE(listed({pacman()}, {}).ok());
    const DatabaseStamp first = stampOf("coinslot.dat");
    ASSERT_GT(first.size, 0);
    {
        CatalogueChange change("coinslot.sqlite");
        change.replaceMachines({}, {});
        // Meanwhile the store is read as it was: the window's connection waits for nothing.
        EXPECT_EQ(store.facts("pacman"), pacman());
    } // killed, cancelled, or the database file not written: never committed
    EXPECT_EQ(store.facts("pacman"), pacman());
    EXPECT_EQ(store.stamp(), first);
    // Another database file, and a store that cannot take the change.
    writeAll("coinslot.dat", "x|x||x\r\n");
    EXPECT_NE(stampOf("coinslot.dat"), first);
    EXPECT_EQ(stampOf("missing.dat"), DatabaseStamp{});
    ask("DROP TABLE audit");
    CatalogueChange failing("coinslot.sqlite");
    failing.replaceAudit({{"sf2", "good", {}}}, {});
    EXPECT_TRUE(failing.failure().has_value());
    EXPECT_FALSE(failing.commit(stampOf("coinslot.dat")).ok());
    EXPECT_EQ(store.stamp(), first);
}

TEST_F(CatalogueFile, AnOlderCatalogueGainsItsNewTablesKeepingEverythingAndOtherColumnsAreNotOurs) {
    {
        Catalogue store("coinslot.sqlite");
        ASSERT_TRUE(store.open().ok());
        ASSERT_TRUE(store.setFavourite("pacman", true).ok());
        ASSERT_TRUE(store.countPlay("pacman", QDateTime::currentDateTime()).ok());
    }
    // As the first version made it: only the machines', the user's and the
    // audit's tables.
    const QStringList added = {"database_stamp", "category",     "history_index",   "support_file",
                               "support_folder", "listing",      "listing_machine", "listing_rom",
                               "build_machine",  "audit_ground", "rom_folder",      "audit_known"};
    for (const QString& table : added)
        ask(QStringLiteral("DROP TABLE %1").arg(table));
    ask("PRAGMA user_version = 1");
    Catalogue older("coinslot.sqlite");
    const CatalogueContents contents = valueOf(older.open());
    EXPECT_EQ(ask("PRAGMA user_version").toInt(), kStoreVersion);
    EXPECT_EQ(ask(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN ('%1')")
                      .arg(added.join("', '")))
                  .toInt(),
              added.size());
    EXPECT_TRUE(older.categories().isEmpty());
    EXPECT_EQ(contents.favourites, QSet<QString>({"pacman"}));
    EXPECT_EQ(older.plays("pacman").count, 1);
    EXPECT_EQ(contents.stamp, std::nullopt);
    EXPECT_TRUE(brokenFiles().isEmpty());

    // The store's table names with other columns: moved aside, never read as ours.
    for (const QString& table : storeTableNames())
        ask(QString("CREATE TABLE %1 (other TEXT)").arg(table), "other.sqlite");
    ask(QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion), "other.sqlite");
    EXPECT_TRUE(failsWith(Catalogue("other.sqlite").open(), "it is not this program's store"));
    EXPECT_EQ(brokenFiles("other.sqlite").size(), 1);
    // One column less is no store either.
    ask("ALTER TABLE play DROP COLUMN last");
    EXPECT_TRUE(failsWith(Catalogue("coinslot.sqlite").open(), "it is not this program's store"));
}
