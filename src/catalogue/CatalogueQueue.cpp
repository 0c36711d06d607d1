// SPDX-License-Identifier: GPL-2.0-or-later
#include "catalogue/CatalogueQueue.h"

#include "catalogue/CatalogueRescue.h"
#include "catalogue/StoreConnection.h"

#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// The queue's connection waits this long for a busy store at each try, and
// tries again this much later.
constexpr int kWaitMilliseconds = 100;
constexpr auto kPause = std::chrono::milliseconds(250);
// At the end, the last try waits up to this long.
constexpr int kLastWaitMilliseconds = 1000;

// Makes `change` in a transaction of its own; the error when it fails.
QSqlError make(QSqlDatabase& database, const CatalogueQueue::Change& change) {
    if (!database.transaction())
        return database.lastError();
    QSqlQuery query(database);
    bool done = true;
    if (!change.statement.isEmpty()) {
        done = query.prepare(change.statement);
        for (qsizetype i = 0; done && i < change.values.size(); ++i)
            query.bindValue(int(i), change.values[i]);
        done = done && query.exec();
    } else {
        done = query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && query.next();
    }
    QSqlError error = done ? QSqlError() : query.lastError();
    if (done && database.commit())
        return {};
    if (!error.isValid())
        error = database.lastError();
    database.rollback();
    return error;
}

} // namespace

CatalogueQueue::CatalogueQueue(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)) {
    m_thread = QThread::create([this] { work(); });
    m_thread->start();
}

CatalogueQueue::~CatalogueQueue() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread->wait();
    delete m_thread;
}

void CatalogueQueue::enqueue(Change change) {
    {
        const std::lock_guard lock(m_mutex);
        m_items.push_back({false, std::move(change)});
    }
    m_wake.notify_all();
}

void CatalogueQueue::check() {
    {
        const std::lock_guard lock(m_mutex);
        m_items.push_back({true, {}});
    }
    m_wake.notify_all();
}

void CatalogueQueue::discard() {
    const std::lock_guard lock(m_mutex);
    m_items.clear();
}

bool CatalogueQueue::waiting() const {
    const std::lock_guard lock(m_mutex);
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const Item& item) { return !item.check; });
}

void CatalogueQueue::work() {
    const QString name = uniqueConnectionName();
    {
        QSqlDatabase database = openConnection(name, m_path, kWaitMilliseconds);
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_items.empty(); });
            if (m_items.empty())
                break; // stopping, nothing left
            const Item item = m_items.front();
            const bool last = m_stopping;
            lock.unlock();
            if (item.check) {
                const QString problem = checkStore(database);
                lock.lock();
                if (!m_items.empty()) // unless discard() emptied it meanwhile
                    m_items.pop_front();
                emit checked(problem);
                continue;
            }
            if (last) // one more try, a little longer, before the program ends
                QSqlQuery(database).exec(
                    QStringLiteral("PRAGMA busy_timeout = %1").arg(kLastWaitMilliseconds));
            const QSqlError error = make(database, item.change);
            lock.lock();
            if (error.isValid() && isBusy(error) && !last) {
                m_wake.wait_for(lock, kPause, [this] { return m_stopping; });
                continue; // the same change again
            }
            if (!m_items.empty()) // unless discard() emptied it meanwhile
                m_items.pop_front();
            if (error.isValid() && last)
                std::fprintf(stderr, "%s: a change could not be saved: %s\n",
                             m_path.toLocal8Bit().constData(),
                             error.text().toLocal8Bit().constData());
            else if (error.isValid())
                emit changeFailed(error.text(), isDamage(error));
            else if (std::none_of(m_items.begin(), m_items.end(),
                                  [](const Item& next) { return !next.check; }))
                emit drained();
        }
    }
    closeConnection(name);
}
