// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/CatalogueChange.h"

#include "catalogue/ListingStore.h"
#include "catalogue/MachineTable.h"
#include "catalogue/SqliteBulk.h"
#include "catalogue/StoreConnection.h"
#include "catalogue/StoreSchema.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// A List or Audit may wait this long for a store that another program holds.
constexpr int kWaitMilliseconds = 5000;

bool writeVerdicts(QSqlDatabase& database, const std::vector<AuditVerdictRow>& verdicts,
                   QSqlError& error) {
    // One string per row for its problems, kept until the row is stepped.
    std::vector<QString> problems;
    problems.reserve(verdicts.size());
    for (const AuditVerdictRow& row : verdicts)
        problems.push_back(row.problems.join(u'\n'));
    return exec(database, QStringLiteral("DELETE FROM audit"), error) &&
           insertRows(
               database,
               QStringLiteral("INSERT OR REPLACE INTO audit (name, verdict, problems) VALUES (?, "
                              "?, ?)"),
               std::ssize(verdicts),
               [&](qsizetype row, RowBinder& bind) {
                   const auto at = static_cast<size_t>(row);
                   bind.text(1, verdicts[at].set);
                   bind.text(2, verdicts[at].verdict);
                   bind.text(3, problems[at]);
               },
               error);
}

} // namespace

CatalogueChange::CatalogueChange(const QString& path) : m_connection(uniqueConnectionName()) {
    QSqlDatabase database = openConnection(m_connection, path, kWaitMilliseconds);
    QSqlError error = database.lastError();
    QSqlQuery version(database);
    if (!database.isOpen() || !version.exec(QStringLiteral("PRAGMA user_version")) ||
        !version.next()) {
        const QSqlError why = error.isValid() ? error : version.lastError();
        m_failure = why.text();
        m_damaged = isDamage(why);
        return;
    }
    if (version.value(0).toInt() != kStoreVersion) {
        m_failure = QStringLiteral("it is not this program's store");
        return;
    }
    // The write lock from the start: a store held elsewhere is waited for here.
    step([&](QSqlDatabase& db, QSqlError& failed) {
        return m_begun = exec(db, QStringLiteral("BEGIN IMMEDIATE"), failed);
    });
}

CatalogueChange::~CatalogueChange() {
    if (m_begun) {
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    }
    closeConnection(m_connection);
}

template <class Work> void CatalogueChange::step(Work work) {
    if (m_failure)
        return;
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlError error;
    if (work(database, error))
        return;
    m_failure = error.text();
    m_damaged = isDamage(error);
}

void CatalogueChange::replaceMachines(const MachineFactsTable& facts, const MachineList& list) {
    MachineFactsTableSource source(facts);
    replaceMachines(source, list);
}

void CatalogueChange::replaceMachines(MachineFactsSource& facts, const MachineList& list) {
    step([&](QSqlDatabase& db, QSqlError& error) {
        return writeMachineTable(db, facts, error) && writeMachineList(db, list, error);
    });
}

void CatalogueChange::keepListing(const ListingUpdate* listing,
                                  std::optional<BuildChanges>& changes) {
    step([&](QSqlDatabase& db, QSqlError& error) {
        return ::keepListing(db, listing, changes, error);
    });
}

void CatalogueChange::keepAuditRecord(const AuditRecord& record) {
    step([&](QSqlDatabase& db, QSqlError& error) { return writeAuditRecord(db, record, error); });
}

void CatalogueChange::replaceAudit(const std::vector<AuditVerdictRow>& verdicts,
                                   const MachineList& list) {
    step([&](QSqlDatabase& db, QSqlError& error) {
        return writeVerdicts(db, verdicts, error) && writeMachineList(db, list, error);
    });
}

Outcome<Done> CatalogueChange::commit(const DatabaseStamp& stamp) {
    step([&](QSqlDatabase& db, QSqlError& error) {
        return writeStamp(db, stamp, error) && exec(db, QStringLiteral("COMMIT"), error);
    });
    if (m_failure)
        return Failure{*m_failure};
    m_begun = false;
    return Done{};
}
