// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/ShellCommand.h"

namespace {

bool isShellPlain(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || QStringView(u"_-.,+/:@%").contains(c);
        if (!plain)
            return false;
    }
    return true;
}

} // namespace

QString shellQuote(const QString& text) {
    if (isShellPlain(text))
        return text;
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

QString mameCommandFor(const QString& mameExecutable) {
    if (!mameExecutable.isEmpty() && !mameExecutable.contains(u'/'))
        return shellQuote(QLatin1String("./") + mameExecutable);
    return shellQuote(mameExecutable);
}

std::pair<QString, QStringList> shellInvocation(const QString& commandLine) {
    return {QStringLiteral("/bin/sh"), {QStringLiteral("-f"), QStringLiteral("-c"), commandLine}};
}
