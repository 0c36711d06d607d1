// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

// Finds and decodes games' snapshots off the GUI thread, so that moving
// through the list never waits for a picture: one worker, which drops what
// is still waiting when a newer request comes, and a cache of the pictures
// last decoded. A picture larger than kLargestSnapshot is decoded scaled
// down to fit within it.
class SnapshotLoader : public QObject {
    Q_OBJECT

  public:
    explicit SnapshotLoader(QObject* parent = nullptr);
    // Waits for the picture being decoded, if any; no answer follows.
    ~SnapshotLoader() override;

    // Asks for the snapshot of `set` in `folders` (see findSnapshot):
    // loaded() follows, at once from the cache or later from the worker,
    // with a null picture when there is none. Only the newest request is
    // answered.
    void request(const QString& set, const QStringList& folders);
    // Forgets what it decoded (and found missing): MAME may have taken new
    // snapshots since.
    void forgetAll() { m_cache.clear(); }

  signals:
    void loaded(const QString& set, const QImage& picture);

  private:
    void onDecoded(quint64 ticket, const QString& key, const QString& set, const QImage& picture);

    QThreadPool m_worker;
    QCache<QString, QImage> m_cache; // by folders and set; cost in KiB
    quint64 m_newest = 0;
};

// The largest picture the pane keeps, in pixels.
inline constexpr QSize kLargestSnapshot{1024, 1024};
