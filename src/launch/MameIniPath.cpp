#include "launch/MameIniPath.h"

#include <QStringList>

namespace {

const QLatin1StringView kIniPath("inipath");

// The value of the "inipath" line, without the quotes MAME may put around it.
std::optional<QString> iniPathValue(const QString& showConfigOutput) {
    const QStringList lines = showConfigOutput.split(u'\n');
    for (const QString& rawLine : lines) {
        const QStringView line = QStringView(rawLine).trimmed();
        if (!line.startsWith(kIniPath))
            continue;
        const QStringView rest = line.mid(kIniPath.size());
        if (!rest.isEmpty() && !rest.front().isSpace())
            continue; // another option that starts with the same letters
        QStringView value = rest.trimmed();
        if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }
    return std::nullopt;
}

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
    const std::optional<QString> value = iniPathValue(showConfigOutput);
    if (!value)
        return std::nullopt;
    const QString first = value->section(u';', 0, 0).trimmed();
    if (first.isEmpty())
        return std::nullopt;
    return expandHome(first, home);
}
