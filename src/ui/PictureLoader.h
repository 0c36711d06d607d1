// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/ArtworkLookup.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <functional>

// The most pixels a picture may have to be decoded.
inline constexpr qint64 kMostPicturePixels = 16'000'000;

// A picture decoded, or why it is not shown (in words for the pane).
struct LoadedPicture {
    QImage image;
    QString problem;
};

// Decodes `bytes`: a picture of more than kMostPicturePixels, or one that
// does not decode, gives its problem instead of an image.
LoadedPicture decodePicture(const QByteArray& bytes);

// Reads and decodes the picture at `where`.
LoadedPicture loadPicture(const ArtworkFile& where);

// Loads pictures on the thread pool and hands each to its callback on the
// thread of this object; a callback whose loader is gone is not called.
class PictureLoader : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    void load(const ArtworkFile& where, std::function<void(const LoadedPicture&)> done);
};
