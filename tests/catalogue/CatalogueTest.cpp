// SPDX-License-Identifier: GPL-2.0-or-later
// The store, on real SQLite files in a temporary working folder.
#include "catalogue/Catalogue.h"

#include "OutcomeText.h"
#include "TestFolders.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class Store : public InWorkFolder {
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

} // namespace

TEST_F(Store, KeepsTheUsersDataWhateverTheMachineFactsBecome) {
    Catalogue store("coinslot.sqlite");
    EXPECT_EQ(failureText(store.open()), "");
    EXPECT_EQ(ask("PRAGMA journal_mode").toString(), "wal");
    for (const auto& [set, favourite] : {std::pair{"pacman", true}, {"sf2", true}, {"sf2", false}})
        ASSERT_TRUE(store.setFavourite(set, favourite).ok());
    const QDateTime first(QDate(2026, 12, 6), QTime(20, 0)), last(QDate(2026, 12, 7), QTime(9, 5));
    ASSERT_TRUE(store.countPlay("pacman", first).ok() && store.countPlay("pacman", last).ok());
    ASSERT_TRUE(store.replaceAuditVerdicts({{"pacman", "bad", {"a.6e NOT FOUND", "b.6f"}}}).ok());

    const GameTable games = {{"Pac-Man (Midway)", "pacman", "puckman", "pacman"}};
    const MachineList list = machineListOf(games, {pacman()});
    ASSERT_EQ(failureText(Catalogue::replaceMachines("coinslot.sqlite", {pacman()}, list)), "");
    EXPECT_EQ(store.facts("pacman"), pacman());

    // Opened again, as at the next start.
    Catalogue again("coinslot.sqlite");
    const CatalogueContents contents = valueOf(again.open());
    EXPECT_EQ(contents.machines, list);
    EXPECT_EQ(contents.favourites, QSet<QString>({"pacman"}));
    EXPECT_EQ(std::pair(again.plays("pacman").count, again.plays("pacman").last),
              std::pair(2, last));
    EXPECT_EQ(again.auditVerdict("pacman")->problems, QStringList({"a.6e NOT FOUND", "b.6f"}));

    // An old MAME's List: no facts, the user's data stays.
    ASSERT_TRUE(Catalogue::replaceMachines("coinslot.sqlite", {}, {}).ok());
    EXPECT_EQ(again.facts("pacman"), std::nullopt);
    const CatalogueContents emptied = valueOf(Catalogue("coinslot.sqlite").open());
    EXPECT_TRUE(emptied.machines.empty());
    EXPECT_EQ(emptied.favourites.size(), 1);
    // A new audit replaces the verdicts as a whole.
    ASSERT_EQ(failureText(again.replaceAuditVerdicts({{"sf2", "good", {}}})), "");
    EXPECT_EQ(again.auditVerdict("pacman"), std::nullopt);
    EXPECT_EQ(again.auditVerdict("sf2")->verdict, "good");
}

TEST_F(Store, ADamagedFileIsMovedAsideAndAFreshOneStartedButANewerOneIsLeftAlone) {
    for (const QByteArray& damage : {QByteArray("not a store at all, but long enough to look"),
                                     "SQLite format 3" + QByteArray(500, '\0')}) {
        for (const QString& file : brokenFiles())
            QFile::remove(file);
        writeAll("coinslot.sqlite", damage);
        Catalogue store("coinslot.sqlite");
        const Outcome<CatalogueContents> opened = store.open();
        ASSERT_EQ(brokenFiles().size(), 1);
        EXPECT_TRUE(failsWith(opened, "so it was moved to " + brokenFiles()[0]));
        EXPECT_EQ(readAll(brokenFiles()[0]), damage); // never deleted
        EXPECT_TRUE(store.isOpen());
        EXPECT_TRUE(store.setFavourite("pacman", true).ok());
        EXPECT_EQ(valueOf(Catalogue("coinslot.sqlite").open()).favourites.size(), 1);
    }
    // Another program's SQLite file is moved aside too.
    ask("CREATE TABLE notes (text TEXT)", "notes.sqlite");
    ASSERT_EQ(ask("SELECT count(*) FROM sqlite_master", "notes.sqlite").toInt(), 1);
    EXPECT_TRUE(failsWith(Catalogue("notes.sqlite").open(), "it is not this program's store"));
    EXPECT_EQ(brokenFiles("notes.sqlite").size(), 1);
    // A newer version's store is left alone, and nothing is written to it.
    ask("PRAGMA user_version = 3");
    const QByteArray before = readAll("coinslot.sqlite");
    Catalogue newer("coinslot.sqlite");
    EXPECT_TRUE(failsWith(newer.open(), "made by a newer version of this program"));
    EXPECT_FALSE(newer.isOpen());
    EXPECT_FALSE(newer.setFavourite("pacman", true).ok());
    EXPECT_FALSE(Catalogue::replaceMachines("coinslot.sqlite", {pacman()}, {}).ok());
    EXPECT_EQ(readAll("coinslot.sqlite"), before);
    EXPECT_EQ(brokenFiles().size(), 1);
}

TEST_F(Store, AStoreOfTheVersionBeforeGainsTheNewTablesAndKeepsItsRows) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v1");
        db.setDatabaseName("coinslot.sqlite");
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* statement :
             {"CREATE TABLE machine (name TEXT PRIMARY KEY, year TEXT NOT NULL, manufacturer "
              "TEXT NOT NULL, status TEXT NOT NULL, imperfect TEXT NOT NULL, unemulated TEXT NOT "
              "NULL, cloneof TEXT NOT NULL, sourcefile TEXT NOT NULL, softwarelists TEXT NOT "
              "NULL, screen TEXT NOT NULL, rotate INTEGER NOT NULL, screens INTEGER NOT NULL, "
              "players INTEGER NOT NULL, coins INTEGER NOT NULL, mechanical INTEGER NOT NULL, "
              "disk INTEGER NOT NULL) WITHOUT ROWID",
              "CREATE TABLE machine_list (id INTEGER PRIMARY KEY CHECK (id = 1), bits BLOB NOT "
              "NULL, names BLOB NOT NULL, manufacturers BLOB NOT NULL, names_hash INTEGER NOT "
              "NULL)",
              "CREATE TABLE favourite (name TEXT PRIMARY KEY) WITHOUT ROWID",
              "CREATE TABLE play (name TEXT PRIMARY KEY, count INTEGER NOT NULL, last TEXT NOT "
              "NULL) WITHOUT ROWID",
              "CREATE TABLE audit (name TEXT PRIMARY KEY, verdict TEXT NOT NULL, problems TEXT "
              "NOT NULL) WITHOUT ROWID",
              "INSERT INTO favourite VALUES ('pacman')",
              "INSERT INTO audit VALUES ('pacman', 'good', '')", "PRAGMA user_version = 1"})
            ASSERT_TRUE(query.exec(statement)) << statement;
    }
    QSqlDatabase::removeDatabase("v1");
    Catalogue store("coinslot.sqlite");
    EXPECT_EQ(valueOf(store.open()).favourites, QSet<QString>({"pacman"}));
    EXPECT_EQ(store.auditVerdict("pacman")->verdict, "good");
    EXPECT_EQ(ask("PRAGMA user_version").toInt(), 2);
    EXPECT_EQ(ask("SELECT count(*) FROM sqlite_master WHERE name IN ('listing', "
                  "'listing_machine', 'listing_rom', 'build_machine', 'audit_ground', "
                  "'rom_folder', 'audit_known')")
                  .toInt(),
              7);
    EXPECT_TRUE(brokenFiles().isEmpty());
}
