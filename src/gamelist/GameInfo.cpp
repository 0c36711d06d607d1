// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameInfo.h"

#include <QCoreApplication>

namespace {

QList<InfoRow> familyRows(const GameRecord& game, const GameTable& games, const ShownRows& shown) {
    if (game.hasParent())
        return {{QCoreApplication::translate("GameInfo", "Parent"), game.parent()}};
    QList<InfoRow> rows;
    // Texts are equal exactly when their bytes are.
    const QByteArrayView name = game.nameBytes();
    qsizetype clones = 0;
    for (qsizetype row = 0; row < shown.size(); ++row) {
        const GameRecord other = games[shown[row]];
        if (other.parentBytes() == name) {
            if (clones < kMostClonesNamed)
                rows.append({QString(), other.name()});
            ++clones;
        }
    }
    if (clones > kMostClonesNamed)
        rows.append({QString(), QCoreApplication::translate("GameInfo", "and %1 more")
                                    .arg(clones - kMostClonesNamed)});
    if (clones == 1)
        rows.front().label = QCoreApplication::translate("GameInfo", "Clone");
    else if (clones > 1)
        rows.front().label = QCoreApplication::translate("GameInfo", "Clones");
    return rows;
}

QString orUnknown(const QString& text) {
    return text.isEmpty() ? QCoreApplication::translate("GameInfo", "unknown") : text;
}

QString statusText(const MachineFacts& facts) {
    QString status;
    switch (facts.status) {
    case DriverStatus::Good:
        status = QCoreApplication::translate("GameInfo", "good");
        break;
    case DriverStatus::Imperfect:
        status = QCoreApplication::translate("GameInfo", "imperfect");
        break;
    case DriverStatus::Preliminary:
        status = QCoreApplication::translate("GameInfo", "preliminary");
        break;
    case DriverStatus::Unknown:
        status = QCoreApplication::translate("GameInfo", "unknown");
        break;
    }
    const auto listed = [](const QString& words) { return words.split(u' ').join(u", "); };
    if (!facts.imperfectFeatures.isEmpty())
        status += QCoreApplication::translate("GameInfo", "; imperfect: ") +
                  listed(facts.imperfectFeatures);
    if (!facts.unemulatedFeatures.isEmpty())
        status += QCoreApplication::translate("GameInfo", "; unemulated: ") +
                  listed(facts.unemulatedFeatures);
    return status;
}

QString screenText(const MachineFacts& facts) {
    if (facts.screens == 0 || facts.screenType.isEmpty())
        return QCoreApplication::translate("GameInfo", "none");
    QString screen =
        facts.screens > 1
            ? QCoreApplication::translate("GameInfo", "%1 screens, ").arg(facts.screens)
            : QString();
    const bool vertical = facts.screenRotation == 90 || facts.screenRotation == 270;
    return screen + facts.screenType +
           (vertical ? QCoreApplication::translate("GameInfo", ", vertical")
                     : QCoreApplication::translate("GameInfo", ", horizontal"));
}

QString playedText(const PlayCount& plays) {
    if (plays.times <= 0)
        return QCoreApplication::translate("GameInfo", "never");
    QString text = plays.times == 1
                       ? QCoreApplication::translate("GameInfo", "once")
                       : QCoreApplication::translate("GameInfo", "%1 times").arg(plays.times);
    if (plays.last.isValid())
        text += QCoreApplication::translate("GameInfo", ", last %1")
                    .arg(plays.last.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    return text;
}

QList<InfoRow> factRows(const MachineFacts& facts, const PlayCount& plays) {
    return {
        {QCoreApplication::translate("GameInfo", "Year"), orUnknown(facts.year)},
        {QCoreApplication::translate("GameInfo", "Manufacturer"), orUnknown(facts.manufacturer)},
        {QCoreApplication::translate("GameInfo", "Status"), statusText(facts)},
        {QCoreApplication::translate("GameInfo", "Players"),
         facts.players > 0 ? QString::number(facts.players)
                           : QCoreApplication::translate("GameInfo", "none")},
        {QCoreApplication::translate("GameInfo", "Screen"), screenText(facts)},
        {QCoreApplication::translate("GameInfo", "Played"), playedText(plays)}};
}

} // namespace

GameInfo gameInfo(const GameRecord& game, const GameTable& games, const ShownRows& shown,
                  const std::optional<MachineFacts>& facts, const PlayCount& plays) {
    GameInfo info;
    info.title = game.description();
    info.rows = {{QCoreApplication::translate("GameInfo", "Set"), game.name()}};
    info.withFacts = facts.has_value();
    info.rows += familyRows(game, games, shown);
    info.rows.append({QCoreApplication::translate("GameInfo", "Driver"), game.driver()});
    if (facts)
        info.rows += factRows(*facts, plays);
    return info;
}
