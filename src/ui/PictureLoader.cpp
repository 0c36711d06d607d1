// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/PictureLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

namespace {

// About a hundred snapshots of a current MAME's usual size.
constexpr int kCacheKiB = 32 * 1024;

QString cacheKey(const ArtworkFile& where, const QSize& largest) {
    return where.file + u'\n' + where.member + u'\n' + QString::number(largest.width()) + u'x' +
           QString::number(largest.height());
}

} // namespace

LoadedPicture decodePicture(const QByteArray& bytes, const QSize& largest) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMostPicturePixels)
        return {{},
                QCoreApplication::translate(
                    "PictureLoader",
                    "The picture has more than 16 megapixels (%1 \u00d7 %2) and is not "
                    "shown.")
                    .arg(size.width())
                    .arg(size.height())};
    if (size.isValid() && largest.isValid() &&
        (size.width() > largest.width() || size.height() > largest.height()))
        reader.setScaledSize(size.scaled(largest, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return {{},
                QCoreApplication::translate("PictureLoader", "The picture could not be decoded.")};
    return {std::move(image), {}};
}

LoadedPicture loadPicture(const ArtworkFile& where, const QSize& largest) {
    const Outcome<QByteArray> bytes = readArtwork(where);
    if (!bytes.ok())
        return {{}, bytes.failure()};
    return decodePicture(bytes.value(), largest);
}

PictureLoader::PictureLoader(QObject* parent) : QObject(parent), m_cache(kCacheKiB) {
    m_worker.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader() {
    m_worker.clear();
    m_worker.waitForDone();
}

void PictureLoader::load(const ArtworkFile& where, std::function<void(const LoadedPicture&)> done,
                         const QSize& largest) {
    const QString key = cacheKey(where, largest);
    if (const LoadedPicture* cached = m_cache.object(key)) {
        done(*cached);
        return;
    }
    run([this, where, largest, key, done = std::move(done)]() -> std::function<void()> {
        LoadedPicture picture = loadPicture(where, largest);
        return [this, key, done, picture = std::move(picture)] {
            m_cache.insert(key, new LoadedPicture(picture),
                           std::max<qsizetype>(1, picture.image.sizeInBytes() / 1024));
            done(picture);
        };
    });
}

void PictureLoader::run(std::function<std::function<void()>()> work) {
    const quint64 round = m_round;
    m_worker.start([this, round, work = std::move(work)] {
        std::function<void()> then = work();
        // Posted to this object: dropped with it, should it go first.
        QMetaObject::invokeMethod(
            this,
            [this, round, then = std::move(then)] {
                if (round == m_round)
                    then();
            },
            Qt::QueuedConnection);
    });
}

void PictureLoader::dropWaiting() {
    m_worker.clear();
    ++m_round;
}
