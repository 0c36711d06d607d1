// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ArtworkLookup.h"

#include "launch/ZipArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kTooLarge = QCoreApplication::translate(
    "ArtworkLookup", "The picture is larger than 32 MB and is not shown.");

std::optional<ArtworkFile> findIn(const QString& folder, const QString& set) {
    const QDir dir(folder);
    for (const QString& name : {set + QStringLiteral(".png"), set + QStringLiteral(".jpg"),
                                set + QStringLiteral("/0000.png")}) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isFile())
            return ArtworkFile{path, {}};
    }
    const QString zip = QDir::cleanPath(folder) + QStringLiteral(".zip");
    if (!QFileInfo(zip).isFile())
        return std::nullopt;
    const ZipArchive archive(zip);
    for (const QString& name : {set + QStringLiteral(".png"), set + QStringLiteral(".jpg")}) {
        if (const std::optional<QString> member = archive.find(name))
            return ArtworkFile{zip, *member};
    }
    return std::nullopt;
}

} // namespace

std::optional<ArtworkFile> findArtwork(const QStringList& folders, const QString& set,
                                       const QString& parent) {
    for (const QString& name : {set, parent}) {
        if (name.isEmpty())
            continue;
        for (const QString& folder : folders) {
            if (std::optional<ArtworkFile> found = findIn(folder, name))
                return found;
        }
    }
    return std::nullopt;
}

std::vector<FoundArtwork> findGameArtwork(const SupportFolders& folders, const QString& set,
                                          const QString& parent) {
    std::vector<FoundArtwork> found;
    for (int kind = 0; kind < kArtKinds; ++kind) {
        const auto artKind = static_cast<ArtKind>(kind);
        if (std::optional<ArtworkFile> where =
                findArtwork(folders.artFolders(artKind), set, parent))
            found.push_back({artKind, std::move(*where)});
    }
    return found;
}

Outcome<QByteArray> readArtwork(const ArtworkFile& where) {
    if (where.member.isEmpty()) {
        QFile file(where.file);
        if (file.size() > kLargestPictureFile)
            return Failure{kTooLarge};
        if (!file.open(QIODevice::ReadOnly))
            return Failure{
                QCoreApplication::translate("ArtworkLookup", "The picture could not be read: %1")
                    .arg(file.errorString())};
        return file.read(kLargestPictureFile);
    }
    const ZipArchive archive(where.file);
    if (archive.size(where.member) > kLargestPictureFile)
        return Failure{kTooLarge};
    std::optional<QByteArray> bytes = archive.read(where.member, kLargestPictureFile);
    if (!bytes)
        return Failure{
            QCoreApplication::translate("ArtworkLookup", "The picture could not be read from %1.")
                .arg(QFileInfo(where.file).fileName())};
    return std::move(*bytes);
}
