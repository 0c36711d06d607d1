#include "text/Compare.h"

CaseInsensitiveCompare::CaseInsensitiveCompare() : collator_(QLocale()) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    collator_.setNumericMode(false);
    collator_.setIgnorePunctuation(false);
}

bool CaseInsensitiveCompare::startsWith(const QString& text, const QString& prefix) const {
    return collator_.compare(QStringView(text).left(prefix.size()), QStringView(prefix)) == 0;
}

bool CaseInsensitiveCompare::hasSortKeys() const {
    return collator_.locale().language() != QLocale::C;
}
