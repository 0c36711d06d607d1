#pragma once

#include <QCollator>
#include <QString>

// Ordinal comparison by UTF-16 code units: the first difference decides and
// a prefix sorts first. Returns <0, 0 or >0.
inline int CompareOrdinal(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseSensitive);
}

// The user's locale collation with letter case ignored: texts that differ
// only in case compare equal.
class CaseInsensitiveCompare {
  public:
    CaseInsensitiveCompare();
    int operator()(const QString& a, const QString& b) const { return collator_.compare(a, b); }
    // True when `text` begins with `prefix` under this comparison.
    bool startsWith(const QString& text, const QString& prefix) const;

  private:
    QCollator collator_;
};
