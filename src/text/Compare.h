// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>

// Ordinal comparison by UTF-16 code units: the first difference decides and
// a prefix sorts first. Returns <0, 0 or >0.
inline int compareOrdinal(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseSensitive);
}

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

    // Whether sortKey gives keys that order texts as this comparison does.
    // Under the C locale Qt's keys are the texts' UTF-8 bytes, case included.
    bool hasSortKeys() const;
    QCollatorSortKey sortKey(const QString& text) const { return m_collator.sortKey(text); }
    // Orders two texts by their keys as operator() orders the texts: an empty
    // text comes before every other, as the collator compares it without
    // collating (a text of ignorable characters alone has the empty key).
    static bool keyLess(const QString& a, const QCollatorSortKey& aKey, const QString& b,
                        const QCollatorSortKey& bKey) {
        if (a.isEmpty() || b.isEmpty())
            return a.isEmpty() && !b.isEmpty();
        return aKey.compare(bKey) < 0;
    }

  private:
    // Under the C locale the collator compares UTF-16 code units with case
    // folded, exactly as QStringView::compare does; that is done here without
    // the call through the collator.
    int compare(QStringView a, QStringView b) const {
        return m_isC ? a.compare(b, Qt::CaseInsensitive) : m_collator.compare(a, b);
    }

    QCollator m_collator;
    bool m_isC = false;
};
