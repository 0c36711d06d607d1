// SPDX-License-Identifier: GPL-2.0-or-later
#include "settings/SettingValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

template <class Int> std::optional<Int> toWhole(const QString& text) {
    const std::optional<double> number = toDouble(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // ties to even
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// Whether `text` is a decimal number, sign, digits, point, digits and
// exponent: the regular expression ^[+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?$,
// whose "$" also takes one line feed at the very end. Checked by hand, as it
// is read at every start.
bool isDecimal(QStringView text) {
    if (text.endsWith(u'\n'))
        text.chop(1);
    qsizetype at = 0;
    const auto skip = [&](QStringView among) {
        if (at < text.size() && among.contains(text[at])) {
            ++at;
            return true;
        }
        return false;
    };
    const auto digits = [&] {
        const qsizetype start = at;
        while (at < text.size() && text[at] >= u'0' && text[at] <= u'9')
            ++at;
        return at - start;
    };
    skip(u"+-");
    const qsizetype whole = digits();
    const bool point = skip(u".");
    const qsizetype fraction = point ? digits() : 0;
    if (whole == 0 && fraction == 0)
        return false;
    if (skip(u"eE")) {
        skip(u"+-");
        if (digits() == 0)
            return false;
    }
    return at == text.size();
}

template <class Float> QString shortest(Float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

std::optional<double> toDouble(const QString& text) {
    if (!isDecimal(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> toInt32(const QString& text) {
    return toWhole<qint32>(text);
}

std::optional<qint16> toInt16(const QString& text) {
    return toWhole<qint16>(text);
}

std::optional<bool> toBool(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = toDouble(text);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

QString formatSettingValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Float:
        return shortest(value.toFloat());
    case QMetaType::Double:
        return shortest(value.toDouble());
    default:
        return value.toString();
    }
}
