// SPDX-License-Identifier: GPL-2.0-or-later
#include "ui/ListFont.h"

#include <QFontInfo>
#include <cmath>

double pointSize(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
}

FontRequest fontRequestFor(const QFont& font, int pixelsPerInchY) {
    FontRequest request;
    request.face = font.family();
    request.weight = font.bold() ? 700 : 400;
    request.italic = font.italic();
    const double points = std::nearbyint(pointSize(font));
    request.height = static_cast<int>(std::nearbyint(-(points * pixelsPerInchY) / 72.0));
    return request;
}

QFont fontFromChoice(QFont font, const FontChoice& choice) {
    font.setFamily(choice.face);
    font.setBold(choice.weight == 700);
    font.setItalic(choice.italic);
    font.setPointSizeF(static_cast<float>(choice.pointSizeTenths) / 10.0f);
    return font;
}
