// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/SharedText.h"

SharedText::SharedText(QString text) : m_text(std::move(text)) {
    Q_ASSERT(m_text.isEmpty() || m_text.isDetached());
    if (!m_text.isEmpty())
        m_text.data_ptr().d_ptr()->ref_.fetchAndAddOrdered(kMargin);
}

SharedText::~SharedText() {
    if (!m_text.isEmpty())
        m_text.data_ptr().d_ptr()->ref_.fetchAndAddOrdered(m_handedOut - kMargin);
}

QString SharedText::slice(qsizetype from, qsizetype length) {
    if (length == 0)
        return {};
    Q_ASSERT(from >= 0 && from + length <= m_text.size());
    Q_ASSERT(m_text.constData()[from + length] == u'\0');
    Q_ASSERT(m_handedOut < kMargin);
    ++m_handedOut;
    QString::DataPointer& whole = m_text.data_ptr();
    return QString(QString::DataPointer(whole.d_ptr(), whole.data() + from, length));
}
