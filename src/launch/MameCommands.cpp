// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameCommands.h"

bool isPlainMameName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'-'))
        return false;
    for (const QChar c : name) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        if (!plain)
            return false;
    }
    return true;
}

std::optional<QString> playCommand(const QString& playCommandPrefix, const QString& name,
                                   const std::optional<QString>& options) {
    if (!isPlainMameName(name))
        return std::nullopt;
    QString line = playCommandPrefix + u' ' + name;
    if (options)
        line += u' ' + *options;
    return line;
}

QString mameProgramFor(const QString& mameExecutable) {
    // Relative, never made absolute through the current folder's name, which
    // Qt would not give back byte for byte when it is not UTF-8.
    if (!mameExecutable.isEmpty() && !mameExecutable.contains(u'/'))
        return QStringLiteral("./") + mameExecutable;
    return mameExecutable;
}
