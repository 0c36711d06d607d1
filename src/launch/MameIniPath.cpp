#include "launch/MameIniPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The value of the option's line, without the quotes MAME may put around it.
std::optional<QString> optionValue(const QString& showConfigOutput, QLatin1StringView option) {
    const QStringList lines = showConfigOutput.split(u'\n');
    for (const QString& rawLine : lines) {
        const QStringView line = QStringView(rawLine).trimmed();
        if (!line.startsWith(option))
            continue;
        const QStringView rest = line.mid(option.size());
        if (!rest.isEmpty() && !rest.front().isSpace())
            continue; // another option that starts with the same letters
        QStringView value = rest.trimmed();
        if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }
    return std::nullopt;
}

// A folder as MAME names it, made a path: this is where MAME's own expansion
// of its folder options is done, for inipath and snapshot_directory alike.
QString expandHome(QString folder, const QString& home) {
    if (folder == u'~' || folder.startsWith(QLatin1StringView("~/")))
        folder.replace(0, 1, home);
    folder.replace(QLatin1StringView("${HOME}"), home);
    // "$HOME" only as a whole name: "$HOMEDIR" is another variable.
    qsizetype at = 0;
    while ((at = folder.indexOf(QLatin1StringView("$HOME"), at)) >= 0) {
        const qsizetype end = at + 5;
        if (end < folder.size() && (folder[end].isLetterOrNumber() || folder[end] == u'_')) {
            at = end;
            continue;
        }
        folder.replace(at, 5, home);
        at += home.size();
    }
    return folder;
}

} // namespace

std::optional<QString> firstIniFolder(const QString& showConfigOutput, const QString& home) {
    const std::optional<QString> value =
        optionValue(showConfigOutput, QLatin1StringView("inipath"));
    if (!value)
        return std::nullopt;
    const QString first = value->section(u';', 0, 0).trimmed();
    if (first.isEmpty())
        return std::nullopt;
    return expandHome(first, home);
}

QStringList snapshotFolders(const QString& showConfigOutput, const QString& home,
                            const QString& workingFolder) {
    const std::optional<QString> value =
        optionValue(showConfigOutput, QLatin1StringView("snapshot_directory"));
    QStringList folders;
    if (!value)
        return folders;
    for (const QString& folder : value->split(u';')) {
        const QString trimmed = folder.trimmed();
        if (!trimmed.isEmpty())
            folders.append(
                QDir::cleanPath(QDir(workingFolder).absoluteFilePath(expandHome(trimmed, home))));
    }
    return folders;
}

std::optional<QString> findSnapshot(const QStringList& folders, const QString& set) {
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name :
             {set + QStringLiteral(".png"), set + QStringLiteral("/0000.png")}) {
            const QString path = dir.filePath(name);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return std::nullopt;
}
