// SPDX-License-Identifier: GPL-2.0-or-later
#include "gamelist/GameInfo.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

QString gameInfoText(const GameRecord& game, const GameTable& games, const ShownRows& shown) {
    QString family;
    if (game.hasParent()) {
        family = QStringLiteral("Parent") + kTab + game.parent() + kLineEnd;
    } else {
        // Texts are equal exactly when their bytes are.
        const QByteArrayView name = game.nameBytes();
        qsizetype clones = 0;
        for (qsizetype row = 0; row < shown.size(); ++row) {
            const GameRecord other = games[shown[row]];
            if (other.parentBytes() == name) {
                if (clones < kMostClonesNamed)
                    family += kTab + other.name() + kLineEnd;
                ++clones;
            }
        }
        if (clones > kMostClonesNamed)
            family +=
                kTab + QStringLiteral("and %1 more").arg(clones - kMostClonesNamed) + kLineEnd;
        if (clones == 1)
            family.prepend(QStringLiteral("Clone"));
        else if (clones > 1)
            family.prepend(QStringLiteral("Clones"));
    }
    return game.description() + kLineEnd + kLineEnd + QStringLiteral("Set") + kTab + game.name() +
           kLineEnd + family + QStringLiteral("Driver") + kTab + game.driver();
}

namespace {

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

QString playedText(int plays, const QDateTime& last) {
    if (plays <= 0)
        return QStringLiteral("never");
    QString text = plays == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(plays);
    if (last.isValid())
        text += QStringLiteral(", last ") + last.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return text;
}

} // namespace

QString machineInfoText(const MachineFacts& facts, int plays, const QDateTime& lastPlayed) {
    const auto line = [](const char* label, const QString& value) {
        return kLineEnd + QLatin1String(label) + kTab + value;
    };
    return line("Year", orUnknown(facts.year)) +
           line("Manufacturer", orUnknown(facts.manufacturer)) + line("Status", statusText(facts)) +
           line("Players",
                facts.players > 0 ? QString::number(facts.players) : QStringLiteral("none")) +
           line("Screen", screenText(facts)) + line("Played", playedText(plays, lastPlayed));
}
