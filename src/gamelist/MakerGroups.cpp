// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/MakerGroups.h"

QString makerGroup(const QString& manufacturer) {
    QString name = manufacturer.trimmed();
    if (name.startsWith(QLatin1String("bootleg"), Qt::CaseInsensitive))
        return QStringLiteral("bootleg");
    if (const qsizetype slash = name.indexOf(u'/'); slash >= 0)
        name.truncate(slash);
    if (const qsizetype bracket = name.indexOf(u'('); bracket > 0)
        name.truncate(bracket);
    name = name.trimmed();
    while (name.endsWith(u'?'))
        name.chop(1);
    if (name.compare(QLatin1String("<unknown>"), Qt::CaseInsensitive) == 0)
        return {};
    return name.trimmed();
}
