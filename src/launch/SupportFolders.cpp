// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/SupportFolders.h"

#include "launch/MameIniPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The most a ui.ini is read of.
constexpr qint64 kLargestUiIni = 1 << 20;

struct FolderOption {
    const char* name;
    const char* byDefault;
};

const FolderOption kHistory{"historypath", "history;dats;."};
const FolderOption kCategories{"categorypath", "folders"};
// The artwork kinds after the snapshot, in ArtKind's order.
const FolderOption kArt[kArtKinds - 1] = {{"titles_directory", "titles"},
                                          {"flyers_directory", "flyers"},
                                          {"cabinets_directory", "cabinets;cabdevs"},
                                          {"marquees_directory", "marquees"},
                                          {"pcbs_directory", "pcb"},
                                          {"cpanels_directory", "cpanel"}};

QStringList foldersOf(const QString& uiIniText, const FolderOption& option, const QString& home,
                      const QString& workingFolder) {
    const QString name = QLatin1String(option.name);
    if (std::optional<QStringList> named =
            absoluteMameFolders(uiIniText, name, home, workingFolder))
        return *named;
    return absoluteMameFolders(name + u' ' + QLatin1String(option.byDefault), name, home,
                               workingFolder)
        .value_or(QStringList());
}

} // namespace

QString artKindCaption(ArtKind kind) {
    switch (kind) {
    case ArtKind::Snapshot:
        return QCoreApplication::translate("SupportFolders", "Snapshot");
    case ArtKind::Title:
        return QCoreApplication::translate("SupportFolders", "Title");
    case ArtKind::Flyer:
        return QCoreApplication::translate("SupportFolders", "Flyer");
    case ArtKind::Cabinet:
        return QCoreApplication::translate("SupportFolders", "Cabinet");
    case ArtKind::Marquee:
        return QCoreApplication::translate("SupportFolders", "Marquee");
    case ArtKind::Pcb:
        return QStringLiteral("PCB");
    case ArtKind::ControlPanel:
        return QCoreApplication::translate("SupportFolders", "Control panel");
    }
    return {};
}

SupportFolders supportFoldersFrom(const QString& uiIniText, const QStringList& snapshotFolders,
                                  const QString& home, const QString& workingFolder) {
    QString text = uiIniText;
    if (text.startsWith(QChar(0xfeff))) // MAME writes its ini files with a byte order mark
        text.remove(0, 1);
    SupportFolders folders;
    folders.history = foldersOf(text, kHistory, home, workingFolder);
    folders.categories = foldersOf(text, kCategories, home, workingFolder);
    folders.art[static_cast<size_t>(ArtKind::Snapshot)] = snapshotFolders;
    for (int kind = 1; kind < kArtKinds; ++kind)
        folders.art[static_cast<size_t>(kind)] =
            foldersOf(text, kArt[kind - 1], home, workingFolder);
    return folders;
}

QString findUiIni(const QStringList& iniFolders) {
    for (const QString& folder : iniFolders) {
        const QString file = QDir(folder).filePath(QStringLiteral("ui.ini"));
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

SupportFolders readSupportFolders(const QStringList& iniFolders, const QStringList& snapshotFolders,
                                  const QString& home, const QString& workingFolder) {
    const QString file = findUiIni(iniFolders);
    QString text;
    if (QFile in(file);
        !file.isEmpty() && in.size() <= kLargestUiIni && in.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(in.readAll());
    SupportFolders folders = supportFoldersFrom(text, snapshotFolders, home, workingFolder);
    folders.uiIni = file;
    return folders;
}
