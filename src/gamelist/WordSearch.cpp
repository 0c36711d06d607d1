#include "gamelist/WordSearch.h"

#include <QStringList>
#include <algorithm>

namespace {

// Appends `text` to `out` folded for the word search: letters and digits in
// their case-folded form, a blank for each run of blanks, nothing for the rest.
void appendFolded(const QString& text, QString& out) {
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            if (c.unicode() < 0x80)
                out += QChar(c.unicode() >= 'A' && c.unicode() <= 'Z' ? c.unicode() + 32
                                                                      : c.unicode());
            else
                out += c.toCaseFolded();
        } else if (c.isSpace() && !out.isEmpty() && !out.endsWith(u' ')) {
            out += u' ';
        }
    }
}

qsizetype findSetName(const GameTable& games, const ShownRows& shown, const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty())
        return -1;
    for (qsizetype k = 0; k < shown.size(); ++k) {
        if (games[shown[k]].name.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

qsizetype findWords(const GameTable& games, const ShownRows& shown, const QString& text,
                    const std::vector<QString>& manufacturers) {
    QString folded;
    appendFolded(text, folded);
    const QStringList words = folded.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return -1;
    QString haystack; // reused, so the scan makes no allocation per game
    for (qsizetype k = 0; k < shown.size(); ++k) {
        const qint32 position = shown[k];
        haystack.resize(0);
        appendFolded(games[position].description, haystack);
        if (!manufacturers.empty()) {
            haystack += u' ';
            appendFolded(manufacturers[position], haystack);
        }
        if (std::all_of(words.begin(), words.end(),
                        [&](const QString& word) { return haystack.contains(word); }))
            return k;
    }
    return -1;
}

} // namespace

qsizetype searchFurther(const GameTable& games, const ShownRows& shown, const QString& text,
                        const std::vector<QString>& manufacturers) {
    const qsizetype named = findSetName(games, shown, text);
    return named >= 0 ? named : findWords(games, shown, text, manufacturers);
}
