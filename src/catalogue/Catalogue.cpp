// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueRescue.h"
#include "catalogue/DatabaseStamp.h"
#include "catalogue/ListingStore.h"
#include "catalogue/MachineTable.h"
#include "catalogue/SqliteBulk.h"
#include "catalogue/StoreConnection.h"
#include "catalogue/StoreSchema.h"
#include "catalogue/SupportTables.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

constexpr int kSchemaVersion = kStoreVersion;
// The window's connection waits at most a frame for a store that another
// program holds (see CatalogueWriter); the workers' may wait longer.
constexpr int kWindowWaitMilliseconds = 15;
constexpr int kWorkerWaitMilliseconds = 5000;

QString notKept() {
    return QCoreApplication::translate("Catalogue",
                                       "favourites, plays and machine facts are not kept in this "
                                       "run.");
}
QString keptWhatCouldBeRead() {
    return QCoreApplication::translate("Catalogue", "The favourites and plays that could still be "
                                                    "read were kept; machine facts start afresh.");
}

// Runs `work` in one transaction: committed when it succeeds, rolled back
// otherwise.
template <class Work> bool inTransaction(QSqlDatabase& database, QSqlError& error, Work work) {
    if (!database.transaction()) {
        error = database.lastError();
        return false;
    }
    if (work() && database.commit())
        return true;
    if (!error.isValid())
        error = database.lastError();
    database.rollback();
    return false;
}

Outcome<Done> doneOr(bool done, const QSqlError& error) {
    if (done)
        return Done{};
    return Failure{error.text()};
}

// The schema version, or -1 with `error` set.
int userVersion(QSqlDatabase& database, QSqlError& error) {
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

// How many tables the file holds, all or only the catalogue's, or -1 with
// `error` set.
int tableCount(QSqlDatabase& database, bool catalogueOnly, QSqlError& error) {
    QSqlQuery query(database);
    const QString ours =
        QStringLiteral(" AND name IN ('%1')").arg(storeTableNames().join(QStringLiteral("', '")));
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'") +
                    (catalogueOnly ? ours : QString())) ||
        !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool makeSchema(QSqlDatabase& database, QSqlError& error) {
    return inTransaction(database, error, [&] {
        for (const QString& statement : storeTableStatements()) {
            if (!exec(database, statement, error))
                return false;
        }
        return exec(database, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion),
                    error);
    });
}

bool readFavourites(QSqlDatabase& database, QSet<QString>& favourites, QSqlError& error) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name FROM favourite"))) {
        error = query.lastError();
        return false;
    }
    while (query.next())
        favourites.insert(query.value(0).toString());
    error = query.lastError();
    return !error.isValid();
}

// Moves the file and its journal aside (moveAside()); gives the new name of
// the file.
Outcome<QString> moveFileAndJournalAside(const QString& path) {
    const Outcome<QString> moved = moveAside(path, QDateTime::currentDateTime());
    if (!moved.ok())
        return Failure{QCoreApplication::translate("Catalogue", "it could not be moved aside: %1")
                           .arg(moved.failure())};
    const QString& aside = moved.value();
    // SQLite finds a journal by the file's name and "-wal": they stay a pair.
    for (const char* journal : {"-wal", "-shm"}) {
        if (QFile::exists(path + QLatin1String(journal)))
            QFile::rename(path + QLatin1String(journal), aside + QLatin1String(journal));
    }
    return QFileInfo(aside).fileName();
}

} // namespace

// One attempt at opening the catalogue.
struct Catalogue::Attempt {
    enum class Result { Open, Damaged, Unreachable, Newer } result = Result::Unreachable;
    QString reason;
    QSqlError error;
    CatalogueContents contents;
};

Catalogue::Catalogue(QString path)
    : m_path(std::move(path)), m_connection(uniqueConnectionName()) {}

Catalogue::~Catalogue() {
    closeConnection(m_connection);
}

Catalogue::Attempt Catalogue::attemptOpen() {
    using Result = Attempt::Result;
    closeConnection(m_connection);
    m_open = false;
    Attempt attempt;
    {
        QSqlDatabase database = openConnection(m_connection, m_path, kWindowWaitMilliseconds);
        QSqlError error = database.lastError();
        int version = -1;
        int tables = -1;
        bool columns = true;
        // A file without tables is a new store; one with others, or with other
        // columns, is not ours. An older one is brought up to date first.
        const bool read =
            database.isOpen() && (version = userVersion(database, error)) >= 0 &&
            version <= kSchemaVersion &&
            (version > 0 || (tables = tableCount(database, false, error)) != 0 ||
             makeSchema(database, error)) &&
            (version == 0 || version == kSchemaVersion ||
             inTransaction(database, error,
                           [&] { return migrateStore(database, version, error); })) &&
            (tables = tableCount(database, true, error)) == std::ssize(storeTableNames()) &&
            (columns = hasStoreColumns(database, error)) &&
            exec(database, QStringLiteral("PRAGMA journal_mode = WAL"), error) &&
            exec(database, QStringLiteral("PRAGMA synchronous = NORMAL"), error) &&
            readMachineList(database, attempt.contents.machines, error) &&
            readFavourites(database, attempt.contents.favourites, error) &&
            readStamp(database, attempt.contents.stamp, error);
        if (read) {
            attempt.result = Result::Open;
            m_open = true;
            return attempt;
        }
        const int code = error.nativeErrorCode().toInt() & 0xff;
        constexpr int kCorrupt = 11, kNotADatabase = 26;
        if (version > kSchemaVersion) {
            attempt.result = Result::Newer;
        } else if (tables >= 0 && !error.isValid() &&
                   (tables != std::ssize(storeTableNames()) || !columns)) {
            attempt.result = Result::Damaged;
            attempt.reason =
                QCoreApplication::translate("Catalogue", "it is not this program's store");
        } else {
            attempt.result =
                code == kCorrupt || code == kNotADatabase ? Result::Damaged : Result::Unreachable;
            attempt.reason = error.text();
            attempt.error = error;
        }
    }
    closeConnection(m_connection);
    return attempt;
}

Outcome<CatalogueContents> Catalogue::open() {
    using Result = Attempt::Result;
    const QString name = QFileInfo(m_path).fileName();
    Attempt first = attemptOpen();
    m_trouble = Trouble::None;
    switch (first.result) {
    case Result::Open:
        return std::move(first.contents);
    case Result::Newer:
        return Failure{QCoreApplication::translate(
                           "Catalogue", "%1 was made by a newer version of this program, so it is "
                                        "left as it is; %2")
                           .arg(name, notKept())};
    case Result::Unreachable:
        note(first.error);
        return Failure{QCoreApplication::translate("Catalogue", "%1 could not be opened (%2); %3")
                           .arg(name, first.reason, notKept())};
    case Result::Damaged:
        break;
    }
    return Failure{replaceDamaged(first.reason)};
}

QString Catalogue::replaceDamaged(const QString& reason) {
    const QString name = QFileInfo(m_path).fileName();
    closeConnection(m_connection);
    m_open = false;
    const SalvagedData salvaged = salvage(m_path);
    const Outcome<QString> moved = moveFileAndJournalAside(m_path);
    if (!moved.ok())
        return QCoreApplication::translate("Catalogue", "%1 could not be read (%2), and %3; %4")
            .arg(name, reason, moved.failure(), notKept());
    const Attempt fresh = attemptOpen();
    if (fresh.result != Attempt::Result::Open)
        return QCoreApplication::translate(
                   "Catalogue", "%1 could not be read (%2), so it was moved to %3, but a new one "
                                "could not be made (%4); %5")
            .arg(name, reason, moved.value(), fresh.reason, notKept());
    QSqlDatabase db = database();
    QSqlError error;
    (void)inTransaction(db, error, [&] { return restore(db, salvaged, error); });
    return QCoreApplication::translate("Catalogue",
                                       "%1 could not be read (%2), so it was moved to %3. %4")
        .arg(name, reason, moved.value(), keptWhatCouldBeRead());
}

QString Catalogue::renew(const QString& reason) {
    m_trouble = Trouble::None;
    return replaceDamaged(reason);
}

void Catalogue::note(const QSqlError& error) const {
    if (!error.isValid())
        m_trouble = Trouble::None;
    else if (isBusy(error))
        m_trouble = Trouble::Busy;
    else if (isReadOnly(error))
        m_trouble = Trouble::ReadOnly;
    else if (isDamage(error))
        m_trouble = Trouble::Damaged;
    else
        m_trouble = Trouble::Other;
}

QSqlDatabase Catalogue::database() const {
    return QSqlDatabase::database(m_connection, false);
}

CatalogueQueue::Change Catalogue::favouriteChange(const QString& set, bool favourite) {
    return {favourite ? QStringLiteral("INSERT OR IGNORE INTO favourite (name) VALUES (?)")
                      : QStringLiteral("DELETE FROM favourite WHERE name = ?"),
            {set}};
}

CatalogueQueue::Change Catalogue::playChange(const QString& set, const QDateTime& when) {
    return {QStringLiteral("INSERT INTO play (name, count, last) VALUES (?, 1, ?) ON CONFLICT "
                           "(name) DO UPDATE SET count = count + 1, last = excluded.last"),
            {set, when.toUTC().toString(Qt::ISODate)}};
}

Outcome<Done> Catalogue::make(const CatalogueQueue::Change& change) {
    if (!m_open) {
        m_trouble = Trouble::Other;
        return Failure{
            QCoreApplication::translate("Catalogue", "There is no store to keep it in.")};
    }
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(change.statement);
    for (qsizetype i = 0; i < change.values.size(); ++i)
        query.bindValue(int(i), change.values[i]);
    const bool done = query.exec();
    note(query.lastError());
    return doneOr(done, query.lastError());
}

QSet<QString> Catalogue::favourites() const {
    QSet<QString> favourites;
    if (!m_open)
        return favourites;
    QSqlDatabase db = database();
    QSqlError error;
    (void)readFavourites(db, favourites, error);
    note(error);
    return favourites;
}

PlayRecord Catalogue::plays(const QString& set) const {
    if (!m_open)
        return {};
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count, last FROM play WHERE name = ?"));
    query.bindValue(0, set);
    const bool found = query.exec() && query.next();
    note(query.lastError());
    if (!found)
        return {};
    return {query.value(0).toInt(),
            QDateTime::fromString(query.value(1).toString(), Qt::ISODate).toLocalTime()};
}

PlayTable Catalogue::allPlays() const {
    PlayTable all;
    if (!m_open)
        return all;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name, count, last FROM play")))
        return all;
    while (query.next())
        all.insert(query.value(0).toString(),
                   {query.value(1).toInt(),
                    QDateTime::fromString(query.value(2).toString(), Qt::ISODate).toLocalTime()});
    return all;
}

MachineColumns Catalogue::machineColumns() const {
    if (!m_open)
        return {};
    QSqlDatabase db = database();
    return readMachineColumns(db);
}

std::optional<MachineFacts> Catalogue::facts(const QString& set) const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    QSqlError error;
    std::optional<MachineFacts> facts = readMachineFacts(db, set, &error);
    note(error);
    return facts;
}

std::optional<AuditVerdictRow> Catalogue::auditVerdict(const QString& set) const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT verdict, problems FROM audit WHERE name = ?"));
    query.bindValue(0, set);
    if (!query.exec() || !query.next())
        return std::nullopt;
    const QString problems = query.value(1).toString();
    return AuditVerdictRow{set, query.value(0).toString(),
                           problems.isEmpty() ? QStringList() : problems.split(u'\n')};
}

std::optional<DatabaseStamp> Catalogue::stamp() const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    std::optional<DatabaseStamp> stamp;
    QSqlError error;
    (void)readStamp(db, stamp, error);
    note(error);
    return stamp;
}

Outcome<Done> Catalogue::change(const QString& path,
                                const std::function<bool(QSqlDatabase&, QSqlError&)>& work) {
    const QString name = uniqueConnectionName();
    Outcome<Done> outcome = Done{};
    {
        QSqlDatabase db = openConnection(name, path, kWorkerWaitMilliseconds);
        QSqlError error = db.lastError();
        const int version = db.isOpen() ? userVersion(db, error) : -1;
        if (version < 0)
            outcome = Failure{error.text()};
        else if (version != kSchemaVersion)
            outcome =
                Failure{QCoreApplication::translate("Catalogue", "it is not this program's store")};
        else if (!inTransaction(db, error, [&] { return work(db, error); }))
            outcome = Failure{error.text()};
    }
    closeConnection(name);
    return outcome;
}

CategoryTable Catalogue::categories() const {
    if (!m_open)
        return {};
    QSqlDatabase db = database();
    return readCategories(db);
}

std::optional<HistoryPlace> Catalogue::historyPlace(const QString& set) const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    return readHistoryPlace(db, set);
}

std::optional<FileStamp> Catalogue::historyFile() const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    return readSupportFilesKept(db).historyFile;
}

Outcome<AuditMemory> Catalogue::readAuditMemory(const QString& path) {
    AuditMemory memory;
    const Outcome<Done> read = change(path, [&](QSqlDatabase& db, QSqlError& error) {
        return ::readAuditMemory(db, memory, error);
    });
    if (!read.ok())
        return read.why();
    return memory;
}
