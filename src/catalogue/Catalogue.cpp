// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/Catalogue.h"

#include "catalogue/MachineTable.h"
#include "catalogue/SqliteBulk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

constexpr int kSchemaVersion = 1;
constexpr int kStoreTables = 5;

const QString kDriver = QStringLiteral("QSQLITE");
const QString kNotKept =
    QStringLiteral("favourites, plays and machine facts are not kept in this run.");

QString uniqueConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("coinslot-store-%1").arg(next++);
}

// Opens the connection `name` to the file `path` (made when missing).
QSqlDatabase connect(const QString& name, const QString& path) {
    QSqlDatabase database = QSqlDatabase::addDatabase(kDriver, name);
    database.setDatabaseName(path);
    // Another connection may be writing a moment (List's worker).
    database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    database.open();
    return database;
}

void disconnect(const QString& name) {
    if (!QSqlDatabase::contains(name))
        return;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

bool exec(QSqlDatabase& database, const QString& statement, QSqlError& error) {
    QSqlQuery query(database);
    if (query.exec(statement))
        return true;
    error = query.lastError();
    return false;
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

// How many tables the file holds, all or only the store's, or -1 with
// `error` set.
int tableCount(QSqlDatabase& database, bool storesOnly, QSqlError& error) {
    QSqlQuery query(database);
    const QString ours = QStringLiteral(" AND name IN ('machine', 'machine_list', 'favourite', "
                                        "'play', 'audit')");
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'") +
                    (storesOnly ? ours : QString())) ||
        !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

bool makeSchema(QSqlDatabase& database, QSqlError& error) {
    return inTransaction(database, error, [&] {
        const QString statements[] = {
            QString::fromLatin1(kCreateMachineTables[0]),
            QString::fromLatin1(kCreateMachineTables[1]),
            QStringLiteral("CREATE TABLE favourite (name TEXT PRIMARY KEY) WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE play (name TEXT PRIMARY KEY, count INTEGER NOT NULL, "
                           "last TEXT NOT NULL) WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE audit (name TEXT PRIMARY KEY, verdict TEXT NOT NULL, "
                           "problems TEXT NOT NULL) WITHOUT ROWID"),
            QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)};
        for (const QString& statement : statements) {
            if (!exec(database, statement, error))
                return false;
        }
        return true;
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

// Moves the file and its journal aside; gives the new name of the file.
Outcome<QString> moveAside(const QString& path) {
    const QString stamp = path + QStringLiteral(".broken-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stamp;
    for (int n = 2; QFile::exists(aside); ++n) // another one within the same second
        aside = stamp + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(path, aside))
        return Failure{QStringLiteral("it could not be renamed to %1").arg(aside)};
    // SQLite finds a journal by the file's name and "-wal": they stay a pair.
    for (const char* journal : {"-wal", "-shm"}) {
        if (QFile::exists(path + QLatin1String(journal)))
            QFile::rename(path + QLatin1String(journal), aside + QLatin1String(journal));
    }
    return QFileInfo(aside).fileName();
}

} // namespace

// One attempt at opening the store.
struct Catalogue::Attempt {
    enum class Result { Open, Damaged, Unreachable, Newer } result = Result::Unreachable;
    QString reason;
    CatalogueContents contents;
};

Catalogue::Catalogue(QString path)
    : m_path(std::move(path)), m_connection(uniqueConnectionName()) {}

Catalogue::~Catalogue() {
    disconnect(m_connection);
}

Catalogue::Attempt Catalogue::attemptOpen() {
    using Result = Attempt::Result;
    disconnect(m_connection);
    m_open = false;
    Attempt attempt;
    {
        QSqlDatabase database = connect(m_connection, m_path);
        QSqlError error = database.lastError();
        int version = -1;
        int tables = -1;
        // A file without tables is a new store; one with others is not ours.
        const bool read = database.isOpen() && (version = userVersion(database, error)) >= 0 &&
                          version <= kSchemaVersion &&
                          (version > 0 || (tables = tableCount(database, false, error)) != 0 ||
                           makeSchema(database, error)) &&
                          (tables = tableCount(database, true, error)) == kStoreTables &&
                          exec(database, QStringLiteral("PRAGMA journal_mode = WAL"), error) &&
                          exec(database, QStringLiteral("PRAGMA synchronous = NORMAL"), error) &&
                          readMachineList(database, attempt.contents.machines, error) &&
                          readFavourites(database, attempt.contents.favourites, error);
        if (read) {
            attempt.result = Result::Open;
            m_open = true;
            return attempt;
        }
        const int code = error.nativeErrorCode().toInt() & 0xff;
        constexpr int kCorrupt = 11, kNotADatabase = 26;
        if (version > kSchemaVersion) {
            attempt.result = Result::Newer;
        } else if (tables >= 0 && tables != kStoreTables && !error.isValid()) {
            attempt.result = Result::Damaged;
            attempt.reason = QStringLiteral("it is not this program's store");
        } else {
            attempt.result =
                code == kCorrupt || code == kNotADatabase ? Result::Damaged : Result::Unreachable;
            attempt.reason = error.text();
        }
    }
    disconnect(m_connection);
    return attempt;
}

Outcome<CatalogueContents> Catalogue::open() {
    using Result = Attempt::Result;
    const QString name = QFileInfo(m_path).fileName();
    Attempt first = attemptOpen();
    switch (first.result) {
    case Result::Open:
        return std::move(first.contents);
    case Result::Newer:
        return Failure{QStringLiteral("%1 was made by a newer version of this program, so it is "
                                      "left as it is; %2")
                           .arg(name, kNotKept)};
    case Result::Unreachable:
        return Failure{
            QStringLiteral("%1 could not be opened (%2); %3").arg(name, first.reason, kNotKept)};
    case Result::Damaged:
        break;
    }
    const Outcome<QString> moved = moveAside(m_path);
    if (!moved.ok())
        return Failure{QStringLiteral("%1 could not be read (%2), and %3; %4")
                           .arg(name, first.reason, moved.failure(), kNotKept)};
    const Attempt fresh = attemptOpen();
    if (fresh.result != Result::Open)
        return Failure{QStringLiteral("%1 could not be read (%2), so it was moved to %3, but a "
                                      "new one could not be made (%4); %5")
                           .arg(name, first.reason, moved.value(), fresh.reason, kNotKept)};
    return Failure{QStringLiteral("%1 could not be read (%2), so it was moved to %3. Favourites, "
                                  "plays and machine facts start afresh.")
                       .arg(name, first.reason, moved.value())};
}

QSqlDatabase Catalogue::database() const {
    return QSqlDatabase::database(m_connection, false);
}

Outcome<Done> Catalogue::setFavourite(const QString& set, bool favourite) {
    if (!m_open)
        return Failure{QStringLiteral("There is no store to keep it in.")};
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(favourite ? QStringLiteral("INSERT OR IGNORE INTO favourite (name) VALUES (?)")
                            : QStringLiteral("DELETE FROM favourite WHERE name = ?"));
    query.bindValue(0, set);
    return doneOr(query.exec(), query.lastError());
}

Outcome<Done> Catalogue::countPlay(const QString& set, const QDateTime& when) {
    if (!m_open)
        return Failure{QStringLiteral("There is no store to keep it in.")};
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO play (name, count, last) VALUES (?, 1, ?) ON "
                                 "CONFLICT (name) DO UPDATE SET count = count + 1, last = "
                                 "excluded.last"));
    query.bindValue(0, set);
    query.bindValue(1, when.toUTC().toString(Qt::ISODate));
    return doneOr(query.exec(), query.lastError());
}

PlayRecord Catalogue::plays(const QString& set) const {
    if (!m_open)
        return {};
    QSqlDatabase db = database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count, last FROM play WHERE name = ?"));
    query.bindValue(0, set);
    if (!query.exec() || !query.next())
        return {};
    return {query.value(0).toInt(),
            QDateTime::fromString(query.value(1).toString(), Qt::ISODate).toLocalTime()};
}

std::optional<MachineFacts> Catalogue::facts(const QString& set) const {
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = database();
    return readMachineFacts(db, set);
}

Outcome<Done> Catalogue::replaceAuditVerdicts(const std::vector<AuditVerdictRow>& verdicts) {
    if (!m_open)
        return Failure{QStringLiteral("There is no store to keep them in.")};
    QSqlDatabase db = database();
    QSqlError error;
    // One string per row for its problems, kept until the row is stepped.
    std::vector<QString> problems;
    problems.reserve(verdicts.size());
    for (const AuditVerdictRow& row : verdicts)
        problems.push_back(row.problems.join(u'\n'));
    const bool done = inTransaction(db, error, [&] {
        return exec(db, QStringLiteral("DELETE FROM audit"), error) &&
               insertRows(
                   db,
                   QStringLiteral("INSERT OR REPLACE INTO audit (name, verdict, problems) "
                                  "VALUES (?, ?, ?)"),
                   std::ssize(verdicts),
                   [&](qsizetype row, RowBinder& bind) {
                       const auto at = static_cast<size_t>(row);
                       bind.text(1, verdicts[at].set);
                       bind.text(2, verdicts[at].verdict);
                       bind.text(3, problems[at]);
                   },
                   error);
    });
    return doneOr(done, error);
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

Outcome<Done> Catalogue::replaceMachineList(const MachineList& list) {
    if (!m_open)
        return Failure{QStringLiteral("There is no store to keep it in.")};
    QSqlDatabase db = database();
    QSqlError error;
    return doneOr(inTransaction(db, error, [&] { return writeMachineList(db, list, error); }),
                  error);
}

Outcome<Done> Catalogue::replaceMachines(const QString& path, const MachineFactsTable& facts,
                                         const MachineList& list) {
    MachineFactsTableSource source(facts);
    return replaceMachines(path, source, list);
}

Outcome<Done> Catalogue::replaceMachines(const QString& path, MachineFactsSource& facts,
                                         const MachineList& list) {
    const QString name = uniqueConnectionName();
    Outcome<Done> outcome = Done{};
    {
        QSqlDatabase db = connect(name, path);
        QSqlError error = db.lastError();
        const int version = db.isOpen() ? userVersion(db, error) : -1;
        if (version < 0)
            outcome = Failure{error.text()};
        else if (version != kSchemaVersion)
            outcome = Failure{QStringLiteral("it is not this program's store")};
        else if (!inTransaction(db, error, [&] {
                     return writeMachineTable(db, facts, error) &&
                            writeMachineList(db, list, error);
                 }))
            outcome = Failure{error.text()};
    }
    disconnect(name);
    return outcome;
}
