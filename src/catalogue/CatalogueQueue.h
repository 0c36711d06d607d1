// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <condition_variable>
#include <deque>
#include <mutex>

class QThread;

// The store's work that the window never waits for, on a thread of its own,
// in order: the user's changes that met a store another program held, each
// tried again until the store is free however long that takes, and the
// check of the whole file once it is open (PRAGMA quick_check).
class CatalogueQueue : public QObject {
    Q_OBJECT

  public:
    // One change: a statement with its values, in a transaction of its own.
    // An empty statement only waits until the store can be read.
    struct Change {
        QString statement;
        QVariantList values;
    };

    explicit CatalogueQueue(QString path, QObject* parent = nullptr);
    // What still waits gets a last try of up to a second; what the store
    // still refuses then is told on standard error.
    ~CatalogueQueue() override;
    CatalogueQueue(const CatalogueQueue&) = delete;
    CatalogueQueue& operator=(const CatalogueQueue&) = delete;

    void enqueue(Change change);
    // Checks the whole file; checked() follows.
    void check();
    // Whether work waits (a change made now would overtake it).
    bool waiting() const;
    // Lets the changes that wait go unmade (the store they were for is gone).
    void discard();

  signals:
    // Every change that waited is in the store now.
    void drained();
    // A change that the store refuses for another reason than being busy
    // was dropped; `damaged`: the reason says its file is damaged.
    void changeFailed(const QString& reason, bool damaged);
    // The file was checked: `problem` is empty when it is whole.
    void checked(const QString& problem);

  private:
    struct Item {
        bool check = false;
        Change change;
    };
    void work();

    const QString m_path;
    QThread* m_thread = nullptr;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Item> m_items;
    bool m_stopping = false;
};
