// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameSearch.h"

#include "text/TextFile.h"

qsizetype searchGames(const GameTable& games, const ShownRows& shown, const QString& text,
                      const CaseInsensitiveCompare& compare) {
    const qsizetype count = shown.size();
    if (text.startsWith(u'[')) {
        if (!text.endsWith(u']')) // still typing the name ("[" alone included)
            return -1;
        // A name equals the text exactly when its bytes are the text's; a
        // text that would not read back is no name.
        const QStringView name = QStringView(text).mid(1, text.size() - 2);
        if (!readsBackAsWritten(name))
            return -1;
        const QByteArray bytes = encodeText(name);
        for (qsizetype k = 0; k < count; ++k) {
            if (games[shown[k]].nameBytes() == bytes)
                return k;
        }
        return -1;
    }
    for (qsizetype k = 0; k < count; ++k) {
        if (compare.startsWith(games[shown[k]].descriptionBytes(), text))
            return k;
    }
    return -1;
}

bool searchFinds(const GameRecord& game, const QString& text,
                 const CaseInsensitiveCompare& compare) {
    if (!text.startsWith(u'['))
        return compare.startsWith(game.descriptionBytes(), text);
    if (!text.endsWith(u']'))
        return false;
    const QStringView name = QStringView(text).mid(1, text.size() - 2);
    return readsBackAsWritten(name) && game.nameBytes() == encodeText(name);
}
