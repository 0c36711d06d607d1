// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/PictureLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QPointer>
#include <QThreadPool>

LoadedPicture decodePicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMostPicturePixels)
        return {{},
                QCoreApplication::translate(
                    "PictureLoader",
                    "The picture has more than 16 megapixels (%1 \u00d7 %2) and is not "
                    "shown.")
                    .arg(size.width())
                    .arg(size.height())};
    QImage image = reader.read();
    if (image.isNull())
        return {{},
                QCoreApplication::translate("PictureLoader", "The picture could not be decoded.")};
    return {std::move(image), {}};
}

LoadedPicture loadPicture(const ArtworkFile& where) {
    const Outcome<QByteArray> bytes = readArtwork(where);
    if (!bytes.ok())
        return {{}, bytes.failure()};
    return decodePicture(bytes.value());
}

void PictureLoader::load(const ArtworkFile& where, std::function<void(const LoadedPicture&)> done) {
    // The pointer is only looked at on this thread, where the loader may go.
    QPointer<PictureLoader> self(this);
    QThreadPool::globalInstance()->start([self, where, done = std::move(done)] {
        LoadedPicture picture = loadPicture(where);
        QMetaObject::invokeMethod(
            qApp,
            [self, done, picture = std::move(picture)] {
                if (self)
                    done(picture);
            },
            Qt::QueuedConnection);
    });
}
