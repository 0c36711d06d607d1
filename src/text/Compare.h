// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QCollator>
#include <QCollatorSortKey>
#include <QString>
#include <algorithm>

// Ordinal comparison by UTF-16 code units: the first difference decides and
// a prefix sorts first. Returns <0, 0 or >0.
inline int compareOrdinal(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseSensitive);
}
// The same for two texts in the form files hold them (UTF-8, see
// decodeText), by the code units they decode to, without decoding them
// unless a character that is not ASCII decides.
int compareOrdinal(QByteArrayView a, QByteArrayView b);

// The user's locale collation with letter case ignored: texts that differ
// only in case compare equal.
class CaseInsensitiveCompare {
  public:
    CaseInsensitiveCompare();
    int operator()(const QString& a, const QString& b) const { return compare(a, b); }
    // True when `text` begins with `prefix` under this comparison. Inline: the
    // search calls it for every game shown.
    bool startsWith(const QString& text, const QString& prefix) const {
        return compare(QStringView(text).left(prefix.size()), prefix) == 0;
    }
    // The same for texts in the form files hold them (UTF-8, see decodeText),
    // decoded only where that could change the answer.
    int operator()(QByteArrayView a, QByteArrayView b) const;
    bool startsWith(QByteArrayView text, const QString& prefix) const {
        // A prefix of ASCII bytes is its own decoding.
        if (m_isC && isAsciiPrefix(text, prefix.size()))
            return QStringView(prefix).compare(
                       QLatin1StringView(text.first(std::min(text.size(), prefix.size()))),
                       Qt::CaseInsensitive) == 0;
        return startsWithDecoded(text, prefix);
    }

    // Whether sortKey gives keys that order texts as this comparison does.
    // Under the C locale Qt's keys are the texts' UTF-8 bytes, case included.
    bool hasSortKeys() const;
    QCollatorSortKey sortKey(const QString& text) const { return m_collator.sortKey(text); }
    QCollatorSortKey sortKey(QByteArrayView text) const;
    // Orders two texts by their keys as operator() orders the texts: an empty
    // text comes before every other, as the collator compares it without
    // collating (a text of ignorable characters alone has the empty key).
    static bool keyLess(const QString& a, const QCollatorSortKey& aKey, const QString& b,
                        const QCollatorSortKey& bKey) {
        if (a.isEmpty() || b.isEmpty())
            return a.isEmpty() && !b.isEmpty();
        return aKey.compare(bKey) < 0;
    }

    static bool keyLess(QByteArrayView a, const QCollatorSortKey& aKey, QByteArrayView b,
                        const QCollatorSortKey& bKey) {
        if (a.isEmpty() || b.isEmpty())
            return a.isEmpty() && !b.isEmpty();
        return aKey.compare(bKey) < 0;
    }

  private:
    // Whether the first `units` bytes of `text` (all of it when shorter) are
    // ASCII.
    static bool isAsciiPrefix(QByteArrayView text, qsizetype units) {
        const qsizetype end = std::min(text.size(), units);
        for (qsizetype i = 0; i < end; ++i) {
            if (static_cast<unsigned char>(text[i]) >= 0x80)
                return false;
        }
        return true;
    }
    bool startsWithDecoded(QByteArrayView text, const QString& prefix) const;

    // Under the C locale the collator compares UTF-16 code units with case
    // folded, exactly as QStringView::compare does; that is done here without
    // the call through the collator.
    int compare(QStringView a, QStringView b) const {
        return m_isC ? a.compare(b, Qt::CaseInsensitive) : m_collator.compare(a, b);
    }

    QCollator m_collator;
    bool m_isC = false;
};
