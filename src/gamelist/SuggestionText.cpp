// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/SuggestionText.h"

namespace suggestiontext {

namespace {

// `c` with its case folded and its accent dropped.
QChar fold(QChar c) {
    const char16_t code = c.unicode();
    if (code < 0x80)
        return code >= 'A' && code <= 'Z' ? QChar(code + 32) : c;
    if (c.decompositionTag() == QChar::Canonical) {
        const QString parts = c.decomposition();
        if (!parts.isEmpty() && parts.front().isLetterOrNumber())
            c = parts.front();
    }
    return c.toCaseFolded();
}

bool separates(QChar c) {
    switch (c.unicode()) {
    case u'/':
    case u'(':
    case u')':
    case u'[':
    case u']':
    case u'{':
    case u'}':
    case u',':
    case u':':
    case u';':
    case u'&':
    case u'+':
    case u'|':
        return true;
    default:
        return c.isSpace();
    }
}

// Appends to `out` what `write` writes of `text`, each character at most
// once, straight into its room.
template <typename Write> void appendThrough(QStringView text, QString& out, Write write) {
    const qsizetype start = out.size();
    out.resize(start + text.size() + 1);
    QChar* const first = out.data() + start;
    QChar* last = first;
    for (const QChar c : text)
        write(c, last);
    out.truncate(start + (last - first));
}

// Where the first note of `description` begins: " (" or " [", else "(" or
// "[" at the start; the description's length when it has none.
qsizetype notesStart(QStringView description) {
    if (description.startsWith(u'(') || description.startsWith(u'['))
        return 0;
    qsizetype at = description.size();
    for (const QStringView opening : {QStringView(u" ("), QStringView(u" [")}) {
        const qsizetype found = description.indexOf(opening);
        if (found >= 0 && found < at)
            at = found;
    }
    return at;
}

void addTitle(QStringView title, QList<QStringView>& out) {
    title = title.trimmed();
    if (!title.isEmpty() && !out.contains(title))
        out.append(title);
}

bool isWordStart(QStringView text, qsizetype at) {
    return at == 0 || !text[at - 1].isLetterOrNumber();
}

} // namespace

QString folded(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!out.isEmpty() && !out.endsWith(u' '))
                out += u' ';
        } else {
            out += fold(c);
        }
    }
    if (out.endsWith(u' '))
        out.chop(1);
    return out;
}

void appendCompact(QStringView text, QString& out) {
    appendThrough(text, out, [](QChar c, QChar*& at) {
        if (c.isLetterOrNumber())
            *at++ = fold(c);
    });
}

QString compact(QStringView text) {
    QString out;
    out.reserve(text.size());
    appendCompact(text, out);
    return out;
}

void appendWords(QStringView text, QString& out) {
    bool inWord = false;
    appendThrough(text, out, [&](QChar c, QChar*& at) {
        if (separates(c)) {
            if (std::exchange(inWord, false))
                *at++ = u' ';
        } else if (c.isLetterOrNumber()) {
            *at++ = fold(c);
            inWord = true;
        }
    });
    if (inWord)
        out += u' ';
}

QStringList words(QStringView text) {
    QString all;
    appendWords(text, all);
    return all.split(u' ', Qt::SkipEmptyParts);
}

QList<QStringView> titles(QStringView description) {
    QList<QStringView> out;
    const QStringView whole = description.left(notesStart(description));
    addTitle(whole, out);
    for (const QStringView alternative : whole.tokenize(u" / ")) {
        addTitle(alternative, out);
        qsizetype cut = alternative.size();
        for (const QStringView subtitle : {QStringView(u": "), QStringView(u" - ")}) {
            const qsizetype found = alternative.indexOf(subtitle);
            if (found >= 0 && found < cut)
                cut = found;
        }
        addTitle(alternative.left(cut), out);
    }
    return out;
}

bool namesBootlegOrHack(QStringView manufacturer) {
    for (const QStringView word : {QStringView(u"bootleg"), QStringView(u"hack")}) {
        for (qsizetype at = manufacturer.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
             at = manufacturer.indexOf(word, at + 1, Qt::CaseInsensitive)) {
            const qsizetype end = at + word.size();
            if (isWordStart(manufacturer, at) &&
                (end == manufacturer.size() || !manufacturer[end].isLetterOrNumber()))
                return true;
        }
    }
    return false;
}

} // namespace suggestiontext
