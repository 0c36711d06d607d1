// SPDX-License-Identifier: GPL-2.0-or-later
#include "launch/MameGeneration.h"

namespace {

const QLatin1StringView kName("Name:");
const QLatin1StringView kDescription("Description:");
constexpr qsizetype kOldDescriptionColumn = 11;

} // namespace

MameGeneration generationFromListFullHeader(const QString& firstLine) {
    QStringView line(firstLine);
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    if (!line.startsWith(kName) || !line.endsWith(kDescription))
        return MameGeneration::Old;
    const qsizetype description = line.size() - kDescription.size();
    if (description <= kName.size())
        return MameGeneration::Old; // no blank between the two words
    for (qsizetype i = kName.size(); i < description; ++i) {
        if (line[i] != u' ')
            return MameGeneration::Old;
    }
    return description + 1 == kOldDescriptionColumn ? MameGeneration::Old : MameGeneration::Current;
}
