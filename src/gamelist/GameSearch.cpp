// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameSearch.h"

qsizetype searchGames(const GameTable& games, const ShownRows& shown, const QString& text,
                      const CaseInsensitiveCompare& compare) {
    const qsizetype count = shown.size();
    if (text.startsWith(u'[')) {
        if (!text.endsWith(u']')) // still typing the name ("[" alone included)
            return -1;
        const QStringView name = QStringView(text).mid(1, text.size() - 2);
        for (qsizetype k = 0; k < count; ++k) {
            if (games[shown[k]].name == name)
                return k;
        }
        return -1;
    }
    for (qsizetype k = 0; k < count; ++k) {
        if (compare.startsWith(games[shown[k]].description, text))
            return k;
    }
    return -1;
}

bool searchFinds(const GameRecord& game, const QString& text,
                 const CaseInsensitiveCompare& compare) {
    if (!text.startsWith(u'['))
        return compare.startsWith(game.description, text);
    return text.endsWith(u']') && game.name == QStringView(text).mid(1, text.size() - 2);
}
