#include "settings/SettingValue.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

template <class Int> std::optional<Int> toWhole(const QString& text) {
    const std::optional<double> number = toNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // ties to even
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

template <class Float> QString shortest(Float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

std::optional<double> toNumber(const QString& text) {
    static const QRegularExpression decimal(
        QStringLiteral(R"(^[+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?$)"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> toLong(const QString& text) {
    return toWhole<qint32>(text);
}

std::optional<qint16> toInteger(const QString& text) {
    return toWhole<qint16>(text);
}

std::optional<bool> toFlag(const QString& text) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = toNumber(text);
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
