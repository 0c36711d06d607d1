#include "text/Compare.h"

CaseInsensitiveCompare::CaseInsensitiveCompare() : m_collator(QLocale()) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

bool CaseInsensitiveCompare::startsWith(const QString& text, const QString& prefix) const {
    return m_collator.compare(QStringView(text).left(prefix.size()), QStringView(prefix)) == 0;
}

bool CaseInsensitiveCompare::hasSortKeys() const {
    return m_collator.locale().language() != QLocale::C;
}
