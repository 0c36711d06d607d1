// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/SnapshotLoader.h"

#include "launch/MameIniPath.h"

#include <QImageReader>

namespace {

// About a hundred snapshots of a current MAME's usual size.
constexpr int kCacheKiB = 32 * 1024;

QImage decode(const QString& set, const QStringList& folders) {
    const std::optional<QString> path = findSnapshot(folders, set);
    if (!path)
        return {};
    QImageReader reader(*path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > kLargestSnapshot.width() || size.height() > kLargestSnapshot.height()))
        reader.setScaledSize(size.scaled(kLargestSnapshot, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

SnapshotLoader::SnapshotLoader(QObject* parent) : QObject(parent), m_cache(kCacheKiB) {
    m_worker.setMaxThreadCount(1);
}

SnapshotLoader::~SnapshotLoader() {
    m_worker.clear();
    m_worker.waitForDone();
}

void SnapshotLoader::request(const QString& set, const QStringList& folders) {
    const quint64 ticket = ++m_newest;
    const QString key = folders.join(u'\n') + u'\n' + set;
    if (const QImage* cached = m_cache.object(key)) {
        emit loaded(set, *cached);
        return;
    }
    // What still waits was asked for before: it is of no use any more.
    m_worker.clear();
    m_worker.start([this, ticket, key, set, folders] {
        const QImage picture = decode(set, folders);
        QMetaObject::invokeMethod(
            this, [this, ticket, key, set, picture] { onDecoded(ticket, key, set, picture); },
            Qt::QueuedConnection);
    });
}

void SnapshotLoader::onDecoded(quint64 ticket, const QString& key, const QString& set,
                               const QImage& picture) {
    m_cache.insert(key, new QImage(picture), std::max<qsizetype>(1, picture.sizeInBytes() / 1024));
    if (ticket == m_newest)
        emit loaded(set, picture);
}
