#include "gamelist/GameInfo.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

QString GameInfoText(const GameRecord& game, const GameTable& shown) {
    QString family;
    if (!game.strParent.isEmpty()) {
        family = QStringLiteral("Parent") + kTab + game.strParent + kLineEnd;
    } else {
        qsizetype clones = 0;
        for (const GameRecord& other : shown) {
            if (other.strParent == game.strName) {
                family += kTab + other.strName + kLineEnd;
                ++clones;
            }
        }
        if (clones == 1)
            family.prepend(QStringLiteral("Clone"));
        else if (clones > 1)
            family.prepend(QStringLiteral("Clones"));
    }
    return game.strDescription + kLineEnd + kLineEnd + QStringLiteral("Set") + kTab + game.strName +
           kLineEnd + family + QStringLiteral("Driver") + kTab + game.strDriver;
}
