// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/Compare.h"

CaseInsensitiveCompare::CaseInsensitiveCompare() : m_collator(QLocale()) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
    m_isC = m_collator.locale().language() == QLocale::C;
}

bool CaseInsensitiveCompare::hasSortKeys() const {
    return !m_isC;
}
