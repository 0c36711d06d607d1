#include "gamelist/GameInfo.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

QString gameInfoText(const GameRecord& game, const GameTable& games, const ShownRows& shown) {
    QString family;
    if (!game.parent.isEmpty()) {
        family = QStringLiteral("Parent") + kTab + game.parent + kLineEnd;
    } else {
        qsizetype clones = 0;
        for (qsizetype row = 0; row < shown.size(); ++row) {
            const GameRecord& other = games[shown[row]];
            if (other.parent == game.name) {
                family += kTab + other.name + kLineEnd;
                ++clones;
            }
        }
        if (clones == 1)
            family.prepend(QStringLiteral("Clone"));
        else if (clones > 1)
            family.prepend(QStringLiteral("Clones"));
    }
    return game.description + kLineEnd + kLineEnd + QStringLiteral("Set") + kTab + game.name +
           kLineEnd + family + QStringLiteral("Driver") + kTab + game.driver;
}
