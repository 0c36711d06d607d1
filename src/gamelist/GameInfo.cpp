// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameInfo.h"

namespace {

QList<InfoRow> familyRows(const GameRecord& game, const GameTable& games, const ShownRows& shown) {
    if (!game.parent.isEmpty())
        return {{QStringLiteral("Parent"), game.parent}};
    QList<InfoRow> rows;
    qsizetype clones = 0;
    for (qsizetype row = 0; row < shown.size(); ++row) {
        const GameRecord& other = games[shown[row]];
        if (other.parent == game.name) {
            if (clones < kMostClonesNamed)
                rows.append({QString(), other.name});
            ++clones;
        }
    }
    if (clones > kMostClonesNamed)
        rows.append({QString(), QStringLiteral("and %1 more").arg(clones - kMostClonesNamed)});
    if (clones == 1)
        rows.front().label = QStringLiteral("Clone");
    else if (clones > 1)
        rows.front().label = QStringLiteral("Clones");
    return rows;
}

QString orUnknown(const QString& text) {
    return text.isEmpty() ? QStringLiteral("unknown") : text;
}

QString statusText(const MachineFacts& facts) {
    QString status;
    switch (facts.status) {
    case DriverStatus::Good:
        status = QStringLiteral("good");
        break;
    case DriverStatus::Imperfect:
        status = QStringLiteral("imperfect");
        break;
    case DriverStatus::Preliminary:
        status = QStringLiteral("preliminary");
        break;
    case DriverStatus::Unknown:
        status = QStringLiteral("unknown");
        break;
    }
    const auto listed = [](const QString& words) { return words.split(u' ').join(u", "); };
    if (!facts.imperfectFeatures.isEmpty())
        status += QStringLiteral("; imperfect: ") + listed(facts.imperfectFeatures);
    if (!facts.unemulatedFeatures.isEmpty())
        status += QStringLiteral("; unemulated: ") + listed(facts.unemulatedFeatures);
    return status;
}

QString screenText(const MachineFacts& facts) {
    if (facts.screens == 0 || facts.screenType.isEmpty())
        return QStringLiteral("none");
    QString screen =
        facts.screens > 1 ? QStringLiteral("%1 screens, ").arg(facts.screens) : QString();
    const bool vertical = facts.screenRotation == 90 || facts.screenRotation == 270;
    return screen + facts.screenType +
           (vertical ? QStringLiteral(", vertical") : QStringLiteral(", horizontal"));
}

QString playedText(const PlayCount& plays) {
    if (plays.times <= 0)
        return QStringLiteral("never");
    QString text =
        plays.times == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(plays.times);
    if (plays.last.isValid())
        text += QStringLiteral(", last ") + plays.last.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return text;
}

QList<InfoRow> factRows(const MachineFacts& facts, const PlayCount& plays) {
    return {{QStringLiteral("Year"), orUnknown(facts.year)},
            {QStringLiteral("Manufacturer"), orUnknown(facts.manufacturer)},
            {QStringLiteral("Status"), statusText(facts)},
            {QStringLiteral("Players"),
             facts.players > 0 ? QString::number(facts.players) : QStringLiteral("none")},
            {QStringLiteral("Screen"), screenText(facts)},
            {QStringLiteral("Played"), playedText(plays)}};
}

} // namespace

GameInfo gameInfo(const GameRecord& game, const GameTable& games, const ShownRows& shown,
                  const std::optional<MachineFacts>& facts, const PlayCount& plays) {
    GameInfo info;
    info.title = game.description;
    info.rows = {{QStringLiteral("Set"), game.name}};
    info.withFacts = facts.has_value();
    info.rows += familyRows(game, games, shown);
    info.rows.append({QStringLiteral("Driver"), game.driver});
    if (facts)
        info.rows += factRows(*facts, plays);
    return info;
}
