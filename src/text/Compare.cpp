// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/Compare.h"

#include "text/TextFile.h"

#include <QVarLengthArray>

namespace {

// A text of the files' form decoded into memory of its own, without an
// allocation for the usual short one.
class Decoded {
  public:
    explicit Decoded(QByteArrayView bytes) : m_units(bytes.size()) {
        m_units.resize(decodeTextInto(bytes, m_units.data()));
    }
    QStringView view() const { return QStringView(m_units.constData(), m_units.size()); }

  private:
    QVarLengthArray<char16_t, 256> m_units;
};

bool isAscii(unsigned char c) {
    return c < 0x80;
}

} // namespace

// Where the two first differ, the byte of each (or its end) is ASCII: no
// character of either spans that place, so everything before it decodes alike
// in both and the bytes there are the code units that decide.
int compareOrdinal(QByteArrayView a, QByteArrayView b) {
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype k = 0;
    while (k < common && a[k] == b[k])
        ++k;
    const bool aEnds = k == a.size();
    const bool bEnds = k == b.size();
    const auto aByte = static_cast<unsigned char>(aEnds ? 0 : a[k]);
    const auto bByte = static_cast<unsigned char>(bEnds ? 0 : b[k]);
    if (isAscii(aByte) && isAscii(bByte)) {
        if (aEnds || bEnds)
            return aEnds == bEnds ? 0 : (aEnds ? -1 : 1);
        return aByte < bByte ? -1 : 1;
    }
    return Decoded(a).view().compare(Decoded(b).view(), Qt::CaseSensitive);
}

CaseInsensitiveCompare::CaseInsensitiveCompare() : m_collator(QLocale()) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
    m_isC = m_collator.locale().language() == QLocale::C;
}

bool CaseInsensitiveCompare::hasSortKeys() const {
    return !m_isC;
}

int CaseInsensitiveCompare::operator()(QByteArrayView a, QByteArrayView b) const {
    if (m_isC) {
        // Letters folded as UTF-16 folds them, while both are ASCII.
        const auto fold = [](unsigned char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
        };
        const qsizetype common = std::min(a.size(), b.size());
        qsizetype k = 0;
        for (; k < common; ++k) {
            const auto x = static_cast<unsigned char>(a[k]);
            const auto y = static_cast<unsigned char>(b[k]);
            if (!isAscii(x) || !isAscii(y))
                break;
            if (fold(x) != fold(y))
                return fold(x) < fold(y) ? -1 : 1;
        }
        if (k == common && (k == a.size() || isAscii(static_cast<unsigned char>(a[k]))) &&
            (k == b.size() || isAscii(static_cast<unsigned char>(b[k]))))
            return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    return compare(Decoded(a).view(), Decoded(b).view());
}

bool CaseInsensitiveCompare::startsWithDecoded(QByteArrayView text, const QString& prefix) const {
    const Decoded decoded(text);
    return compare(decoded.view().left(prefix.size()), prefix) == 0;
}

QCollatorSortKey CaseInsensitiveCompare::sortKey(QByteArrayView text) const {
    return m_collator.sortKey(decodeText(text));
}
