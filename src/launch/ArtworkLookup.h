// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "launch/SupportFolders.h"
#include "text/Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The most bytes a picture file may have to be read.
inline constexpr qint64 kLargestPictureFile = qint64(32) << 20;

// Where one picture is: a file, or a member of a zip file.
struct ArtworkFile {
    QString file;
    QString member; // empty: `file` is the picture itself
    bool operator==(const ArtworkFile&) const = default;
};

// Finds the picture of `set` in `folders` as MAME's menu does, folder by
// folder: "<folder>/<set>.png", "<folder>/<set>.jpg", "<folder>/<set>/0000.png",
// then "<set>.png" or "<set>.jpg" inside "<folder>.zip"; when no folder has
// one, the same for `parent` (none for an empty name).
std::optional<ArtworkFile> findArtwork(const QStringList& folders, const QString& set,
                                       const QString& parent);

// One kind of artwork found for a game.
struct FoundArtwork {
    ArtKind kind = ArtKind::Snapshot;
    ArtworkFile where;
    bool operator==(const FoundArtwork&) const = default;
};

// Every kind of artwork found for `set` (or its parent) in `folders`, in
// ArtKind's order.
std::vector<FoundArtwork> findGameArtwork(const SupportFolders& folders, const QString& set,
                                          const QString& parent);

// The picture's bytes; fails, saying why in words for the pane, when it cannot
// be read or has more than kLargestPictureFile bytes.
Outcome<QByteArray> readArtwork(const ArtworkFile& where);
