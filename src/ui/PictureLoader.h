// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/ArtworkLookup.h"

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <functional>

// The most pixels a picture may have to be decoded.
inline constexpr qint64 kMostPicturePixels = 16'000'000;

// A picture decoded, or why it is not shown (in words for the pane).
struct LoadedPicture {
    QImage image;
    QString problem;
};

// Decodes `bytes`: a picture of more than kMostPicturePixels, or one that
// does not decode, gives its problem instead of an image. One larger than
// `largest` (when valid) is decoded scaled down to fit within it.
LoadedPicture decodePicture(const QByteArray& bytes, const QSize& largest = {});

// Reads and decodes the picture at `where`.
LoadedPicture loadPicture(const ArtworkFile& where, const QSize& largest = {});

// Reads and decodes pictures, and does other work that touches files, on a
// worker of its own, one thing at a time in the order asked, and hands each
// result back on the thread of this object. What waits can be dropped when it
// is of no use any more (a newer selection); the work running then still
// answers. The pictures last decoded are kept, so that going back to one
// needs no worker.
class PictureLoader : public QObject {
    Q_OBJECT

  public:
    explicit PictureLoader(QObject* parent = nullptr);
    // Drops what waits and waits for what runs; no callback follows.
    ~PictureLoader() override;

    // Loads the picture at `where` (scaled down to fit `largest`, when
    // valid) and calls `done` with it: at once when it was decoded before,
    // else later from the worker.
    void load(const ArtworkFile& where, std::function<void(const LoadedPicture&)> done,
              const QSize& largest = {});
    // Runs `work` on the worker; the function it gives back is then called
    // on this object's thread.
    void run(std::function<std::function<void()>()> work);
    // Drops the loads and work asked so far: those that have not started
    // never run, and no callback of theirs comes, even of the one running.
    void dropWaiting();
    // Forgets the pictures decoded: the files may have changed since.
    void forgetAll() { m_cache.clear(); }

  private:
    QThreadPool m_worker;
    quint64 m_round = 0;                    // of the work asked since the last dropWaiting()
    QCache<QString, LoadedPicture> m_cache; // by file, member and size; cost in KiB
};
