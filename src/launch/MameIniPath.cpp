// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameIniPath.h"

#include "launch/RomFolders.h"
#include "text/SystemPath.h"

#include <QDir>

namespace {

// The value of `option`'s line, without the quotes MAME may put around it.
std::optional<QString> optionValue(const QString& showConfigOutput, const QString& option) {
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

bool isNameCharacter(QChar c) {
    return c == u'_' || (c.unicode() < 0x80 && c.isLetterOrNumber());
}

} // namespace

QString mameIniFor(const QString& mameExecutable) {
    // MAME writes its ini into the working folder, wherever the executable lies.
    QString name = QFileInfo(mameExecutable).fileName();
    if (name.endsWith(QLatin1String("exe"), Qt::CaseInsensitive)) {
        name.chop(3);
        return name + QLatin1String("ini");
    }
    return name + QLatin1String(".ini");
}

QString environmentValue(const QString& name) {
    return environmentPath(systemPath(name).constData());
}

QString expandMameFolder(const QString& folder,
                         const std::function<QString(const QString&)>& value) {
    QString expanded;
    qsizetype at = 0;
    if (folder.startsWith(u'~') && (folder.size() == 1 || folder[1] == u'/')) {
        expanded = value(QStringLiteral("HOME"));
        at = 1;
    }
    while (at < folder.size()) {
        const qsizetype dollar = folder.indexOf(u'$', at);
        if (dollar < 0) {
            expanded += QStringView(folder).mid(at);
            break;
        }
        expanded += QStringView(folder).mid(at, dollar - at);
        at = dollar + 1;
        if (at < folder.size() && folder[at] == u'{') {
            const qsizetype close = folder.indexOf(u'}', at + 1);
            if (close < 0) { // unclosed: kept as it is
                expanded += QStringView(folder).mid(dollar);
                break;
            }
            if (close == at + 1) { // "${}" names nothing: kept as it is
                expanded += QStringLiteral("${}");
                at = close + 1;
                continue;
            }
            expanded += value(folder.mid(at + 1, close - at - 1));
            at = close + 1;
        } else if (at < folder.size() && isNameCharacter(folder[at])) {
            qsizetype end = at;
            while (end < folder.size() && isNameCharacter(folder[end]))
                ++end;
            expanded += value(folder.mid(at, end - at));
            at = end;
        } else {
            expanded += u'$';
        }
    }
    return expanded;
}

std::optional<QStringList> mameOptionFolders(const QString& showConfigOutput, const QString& option,
                                             const std::function<QString(const QString&)>& value) {
    const std::optional<QString> line = optionValue(showConfigOutput, option);
    if (!line)
        return std::nullopt;
    QStringList folders;
    for (const QString& folder : line->split(u';')) {
        const QString trimmed = folder.trimmed();
        if (!trimmed.isEmpty())
            folders.append(expandMameFolder(trimmed, value));
    }
    return folders;
}

namespace {

// A variable's value, with `home` for HOME.
std::function<QString(const QString&)> withHome(const QString& home) {
    return [home](const QString& name) {
        return name == QLatin1StringView("HOME") ? home : environmentValue(name);
    };
}

} // namespace

std::optional<QString> firstIniFolder(const QString& showConfigOutput, const QString& home) {
    const std::optional<QString> value = optionValue(showConfigOutput, QStringLiteral("inipath"));
    if (!value)
        return std::nullopt;
    const QString first = value->section(u';', 0, 0).trimmed();
    if (first.isEmpty())
        return std::nullopt;
    const QString folder = expandMameFolder(first, withHome(home));
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QStringList> absoluteMameFolders(const QString& text, const QString& option,
                                               const QString& home, const QString& workingFolder) {
    const std::optional<QStringList> named = mameOptionFolders(text, option, withHome(home));
    if (!named)
        return std::nullopt;
    QStringList folders;
    for (const QString& folder : *named) {
        if (!folder.isEmpty())
            folders.append(QDir::cleanPath(QDir(workingFolder).absoluteFilePath(folder)));
    }
    return folders;
}

QStringList iniFolders(const QString& showConfigOutput, const QString& home,
                       const QString& workingFolder) {
    return absoluteMameFolders(showConfigOutput, QStringLiteral("inipath"), home, workingFolder)
        .value_or(QStringList());
}

QStringList snapshotFolders(const QString& showConfigOutput, const QString& home,
                            const QString& workingFolder) {
    return absoluteMameFolders(showConfigOutput, QStringLiteral("snapshot_directory"), home,
                               workingFolder)
        .value_or(QStringList());
}

MameFolders mameFoldersFrom(const QString& showConfigOutput) {
    MameFolders folders;
    if (const std::optional<QString> folder = firstIniFolder(showConfigOutput, homeFolder()))
        folders.iniFolder = QDir::cleanPath(*folder);
    folders.iniFolders = iniFolders(showConfigOutput, homeFolder(), currentFolder());
    folders.snapshotFolders = snapshotFolders(showConfigOutput, homeFolder(), currentFolder());
    folders.romFolders = romFoldersOf(showConfigOutput, currentFolder());
    return folders;
}

std::optional<QString> findSnapshot(const QStringList& folders, const QString& set) {
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name :
             {set + QStringLiteral(".png"), set + QStringLiteral("/0000.png")}) {
            const QString path = dir.filePath(name);
            if (isFile(path))
                return path;
        }
    }
    return std::nullopt;
}
