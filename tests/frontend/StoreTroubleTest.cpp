// SPDX-License-Identifier: GPL-2.0-or-later
// A store that another program holds, and one whose file is damaged inside:
// the window never waits for the first, and the second is found, moved aside
// and started afresh with what could still be read of the user's data.
#include "FrontEndFixture.h"
#include "OutcomeText.h"
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

const QString kBusy = "coinslot.sqlite is busy (another program is using it); the favourite will "
                      "be saved when it is free.";

// Another program's connection to the store.
class OtherProgram {
  public:
    OtherProgram() {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName("coinslot.sqlite");
        db.open();
    }
    ~OtherProgram() {
        QSqlDatabase::database("other", false).close();
        QSqlDatabase::removeDatabase("other");
    }
    bool exec(const QString& statement) {
        QSqlDatabase db = QSqlDatabase::database("other", false);
        return QSqlQuery(db).exec(statement);
    }
};

class StoreTrouble : public FrontEndFixture {
  protected:
    StoreTrouble() { loadDatabase(kSevenGames); }
    void pick(const QString& set) {
        frontEnd.games().search("[" + set + "]");
        ASSERT_EQ(selectedName(), set);
    }
    bool markedInList() const {
        const GameList& games = frontEnd.games();
        return games.isFavourite(games.shownRows()[games.selectedRow()]);
    }
    static QSet<QString> storedFavourites() {
        return valueOf(Catalogue("coinslot.sqlite").open()).favourites;
    }
};

// Lets the other program hold the store a while, the window's events going on.
void holdOn() {
    waitUntil([] { return false; }, 1);
}

// The rows of `table` are overwritten on disk, as a failing disk would.
void damageTable(const QString& table) {
    {
        OtherProgram other;
        other.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "pages");
    db.setDatabaseName("coinslot.sqlite");
    db.open();
    QSqlQuery page(db);
    page.exec("PRAGMA page_size");
    page.next();
    const int size = page.value(0).toInt();
    page.exec(QString("SELECT rootpage FROM sqlite_master WHERE name = '%1'").arg(table));
    page.next();
    const qint64 root = page.value(0).toLongLong();
    db.close();
    db = {};
    QSqlDatabase::removeDatabase("pages");
    QFile file("coinslot.sqlite");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek((root - 1) * size);
    file.write(QByteArray(size, '\x5a'));
}

} // namespace

TEST_F(StoreTrouble, AFavouriteMeetingABusyStoreIsKeptWhenItIsFreeAndNothingWaits) {
    ASSERT_EQ(failureText(frontEnd.loadCatalogue()), "");
    OtherProgram other;
    ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
    ASSERT_TRUE(other.exec("CREATE TABLE other (x)"));
    pick("mslug");
    EXPECT_EQ(valueOf(frontEnd.setFavourite(true)), kBusy);
    EXPECT_TRUE(markedInList());
    pick("sfa");
    EXPECT_EQ(valueOf(frontEnd.setFavourite(true)), kBusy); // behind the first, in order
    pick("mslug");
    EXPECT_EQ(valueOf(frontEnd.setFavourite(false)), kBusy);
    holdOn(); // longer than one try waits
    EXPECT_EQ(storedFavourites(), QSet<QString>());
    ASSERT_TRUE(other.exec("ROLLBACK"));
    EXPECT_TRUE(waitUntil([] { return storedFavourites() == QSet<QString>{"sfa"}; }))
        << storedFavourites().values().join(' ').toStdString();
    // Free again, the next change is made at once.
    pick("ffight");
    EXPECT_EQ(valueOf(frontEnd.setFavourite(true)), "");
    EXPECT_EQ(storedFavourites(), QSet<QString>({"sfa", "ffight"}));
}

TEST_F(StoreTrouble, AStoreLockedAtStartUpIsReadWhenItIsFree) {
    {
        Catalogue store("coinslot.sqlite");
        ASSERT_TRUE(store.open().ok() && store.setFavourite("pacman", true).ok());
    }
    auto other = std::make_unique<OtherProgram>();
    ASSERT_TRUE(other->exec("PRAGMA locking_mode = EXCLUSIVE"));
    ASSERT_TRUE(other->exec("BEGIN EXCLUSIVE"));
    EXPECT_EQ(failureText(frontEnd.loadCatalogue()), ""); // no word, and no wait
    EXPECT_FALSE(frontEnd.catalogue().isOpen());
    pick("sfa");
    EXPECT_EQ(valueOf(frontEnd.setFavourite(true)), kBusy);
    holdOn();
    EXPECT_FALSE(frontEnd.catalogue().isOpen());
    other.reset();
    EXPECT_TRUE(waitUntil([this] { return frontEnd.catalogue().isOpen(); }));
    pick("pacman");
    EXPECT_TRUE(markedInList());
    pick("sfa");
    EXPECT_TRUE(markedInList());
    EXPECT_EQ(storedFavourites(), QSet<QString>({"pacman", "sfa"}));
}

TEST_F(StoreTrouble, ADamagedStoreIsFoundOnceOpenAndStartedAfreshWithWhatCouldBeRead) {
    folder.set("FAKEMAME_MODERN", "1");
    ASSERT_EQ(failureText(frontEnd.loadCatalogue()), "");
    ASSERT_EQ(failureText(list()), "");
    for (const QString set : {"pacman", "galaga"}) {
        pick(set);
        ASSERT_TRUE(frontEnd.setFavourite(true).ok());
    }
    ASSERT_EQ(failureText(run([this] { frontEnd.play(std::nullopt); })), "");
    // The machine facts' page, then the plays' page: the rest is kept.
    for (const QString table : {"machine", "play"}) {
        damageTable(table);
        FrontEnd next(runner);
        next.setProgramName("coinslot");
        next.configure(frontEnd.settings());
        ASSERT_TRUE(next.loadDatabase().ok());
        QSignalSpy notice(&next, &FrontEnd::catalogueNotice);
        ASSERT_EQ(failureText(next.loadCatalogue()), ""); // what the window needs reads well
        ASSERT_TRUE(notice.wait(10000)) << table.toStdString();
        const QString text = notice.at(0).at(0).toString();
        EXPECT_TRUE(text.startsWith("coinslot.sqlite could not be read (")) << text.toStdString();
        EXPECT_TRUE(text.contains("so it was moved to coinslot.sqlite.broken-"))
            << text.toStdString();
        EXPECT_EQ(storedFavourites(), QSet<QString>({"pacman", "galaga"}));
        Catalogue fresh("coinslot.sqlite");
        (void)fresh.open();
        EXPECT_EQ(fresh.plays(selectedName()).count, table == "play" ? 0 : 1);
        EXPECT_EQ(fresh.facts("pacman"), std::nullopt);
        EXPECT_FALSE(next.selectedGameInfo()->rows.isEmpty());
        QStringList broken = QDir().entryList({"coinslot.sqlite.broken-*"});
        EXPECT_FALSE(broken.isEmpty());
        for (const QString& file : broken)
            QFile::remove(file);
        // The next List keeps facts again.
        QSignalSpy listed(&next, &FrontEnd::commandFinished);
        next.list();
        ASSERT_TRUE(listed.wait(20000));
        EXPECT_TRUE(next.catalogue().facts("pacman").has_value());
    }
}
