#include "gamelist/GameInfo.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

QString gameInfoText(const GameRecord& game, const GameTable& shown) {
    QString family;
    if (!game.parent.isEmpty()) {
        family = QStringLiteral("Parent") + kTab + game.parent + kLineEnd;
    } else {
        qsizetype clones = 0;
        for (const GameRecord& other : shown) {
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
