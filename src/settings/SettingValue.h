// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Conversions of a settings value read from the file (text without
// surrounding spaces) to the type its key expects. Each returns nothing when
// the text does not convert or the number is outside the type's range.
// Numbers are plain decimal numbers (sign, digits, fraction, exponent);
// rounding to a whole number goes to the nearest, a tie to the even one.

std::optional<double> toDouble(const QString& text);
std::optional<qint32> toInt32(const QString& text);
std::optional<qint16> toInt16(const QString& text);
// True or False in any letter case, or a number: 0 is false, any other true.
std::optional<bool> toBool(const QString& text);

// The written form of a value: whole numbers without a fraction, other
// numbers in their shortest exact decimal form ('.' as separator), flags as
// True and False, text unchanged.
QString formatSettingValue(const QVariant& value);
