// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/NarrowColumns.h"

#include <QHash>

namespace {

// Numbers distinct texts in the order they come, "" first.
class Numbering {
  public:
    explicit Numbering(std::vector<QString>& names) : m_names(names) {
        m_names.assign(1, QString());
        m_numbers.insert(QString(), 0);
    }
    qint32 numberOf(const QString& name) {
        const auto found = m_numbers.constFind(name);
        if (found != m_numbers.cend())
            return *found;
        const auto number = static_cast<qint32>(m_names.size());
        m_names.push_back(name);
        m_numbers.insert(name, number);
        return number;
    }

  private:
    std::vector<QString>& m_names;
    QHash<QString, qint32> m_numbers;
};

} // namespace

int knownYear(QStringView year) {
    if (year.size() != 4)
        return 0;
    int value = 0;
    for (const QChar c : year) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

NarrowColumns narrowColumns(const GameTable& games, const std::vector<QString>& manufacturers,
                            const std::vector<QString>& years, const CategoryTable& categories) {
    NarrowColumns columns;
    const size_t count = games.size();
    columns.makers.resize(count);
    columns.years.resize(count);
    columns.categories.resize(count);
    columns.mature.resize(count);
    Numbering makers(columns.makerNames);
    Numbering categoryNumbers(columns.categoryNames);
    for (size_t i = 0; i < count; ++i) {
        if (i < manufacturers.size())
            columns.makers[i] = makers.numberOf(manufacturers[i]);
        if (i < years.size())
            columns.years[i] = static_cast<qint16>(knownYear(years[i]));
        if (categories.isEmpty())
            continue;
        const auto found = categories.constFind(games[static_cast<qsizetype>(i)].name());
        if (found == categories.cend())
            continue;
        columns.categories[i] = categoryNumbers.numberOf(found->category);
        columns.mature[i] = found->mature ? 1 : 0;
        columns.anyCategories = true;
    }
    return columns;
}
