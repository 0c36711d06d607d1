#include "database/ListingImport.h"

#include "database/DatabaseFile.h"
#include "database/ListingFaults.h"
#include "text/Sorting.h"
#include "text/TrimSpaces.h"

#include <QLocale>
#include <algorithm>

namespace {

const QString kGameListing = QStringLiteral("game listing (-listfull)");
const QString kCloneListing = QStringLiteral("clone listing (-listclones)");
const QString kDriverListing = QStringLiteral("driver listing (-listsourcefile)");

constexpr qsizetype kDescriptionColumn = 12;
constexpr qsizetype kDriverColumn = 22;
constexpr qsizetype kParentWidth = 8;

// Names a game in a message: by its short name, or by its line in the game
// listing when the name is empty.
QString gameLabel(const QString& name, qsizetype gameLine) {
    if (name.isEmpty())
        return QStringLiteral("the game on line %1 of the %2")
            .arg(QString::number(gameLine), kGameListing);
    return QStringLiteral("the game \"%1\"").arg(name);
}

// The last clone line read: a clone's short name and its parent's.
struct CloneCursor {
    QString clone;
    QString parent;
};

// Reads a clone line into the cursor; false when the line has no blank.
bool readCloneLine(const QString& line, CloneCursor& cursor) {
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0)
        return false;
    cursor.clone = line.left(blank);
    QString parent = line.right(kParentWidth);
    parent.chop(trailingSpaces(parent));
    cursor.parent = std::move(parent);
    return true;
}

} // namespace

Outcome<GameTable> importListings(const std::optional<QStringList>& gameListing,
                                  const std::optional<QStringList>& cloneListing,
                                  const std::optional<QStringList>& driverListing,
                                  bool caseInsensitive) {
    if (!gameListing)
        return Failure{QStringLiteral("MAME produced no %1.").arg(kGameListing)};
    if (!cloneListing)
        return Failure{QStringLiteral("MAME produced no %1.").arg(kCloneListing)};
    if (!driverListing)
        return Failure{QStringLiteral("MAME produced no %1.").arg(kDriverListing)};

    const QStringList& gameLines = *gameListing;
    const QStringList& cloneLines = *cloneListing;
    const QStringList& driverLines = *driverListing;

    if (gameLines.isEmpty())
        return Failure{QStringLiteral("MAME's %1 is empty.").arg(kGameListing)};
    if (cloneLines.isEmpty())
        return Failure{QStringLiteral("MAME's %1 is empty.").arg(kCloneListing)};
    if (cloneLines.size() < 2)
        return Failure{
            QStringLiteral("MAME's %1 holds only one line and no clone.").arg(kCloneListing)};

    // Both headers are passed over; the clone cursor starts on the second line.
    CloneCursor cursor;
    qsizetype nextClone = 1;
    if (!readCloneLine(cloneLines[nextClone], cursor))
        return Failure{lineFault(kCloneListing, nextClone + 1, QStringLiteral("has no blank"),
                                 cloneLines[nextClone])};
    ++nextClone;
    qsizetype nextDriver = 0;

    GameTable games;
    games.reserve(std::min<qsizetype>(gameLines.size() - 1, kMaxGames));
    for (qsizetype g = 1; g < gameLines.size(); ++g) {
        if (std::ssize(games) == kMaxGames)
            return Failure{QStringLiteral("MAME's %1 holds more than %2 games, more than the "
                                          "database can hold.")
                               .arg(kGameListing, QLocale(QLocale::English).toString(kMaxGames))};
        const QString& line = gameLines[g];
        GameRecord game;

        const qsizetype quote = line.indexOf(u'"', kDescriptionColumn - 1);
        if (quote < 0)
            return Failure{lineFault(kGameListing, g + 1,
                                     QStringLiteral("has no closing double quote after the "
                                                    "description"),
                                     line)};
        game.description = line.mid(kDescriptionColumn - 1, quote - (kDescriptionColumn - 1));

        const qsizetype blank = line.indexOf(u' ');
        if (blank < 0)
            return Failure{lineFault(kGameListing, g + 1,
                                     QStringLiteral("has no blank after the short name"), line)};
        game.name = line.left(blank);

        if (game.name == cursor.clone) {
            game.parent = cursor.parent;
            if (nextClone < cloneLines.size()) {
                if (!readCloneLine(cloneLines[nextClone], cursor))
                    return Failure{lineFault(kCloneListing, nextClone + 1,
                                             QStringLiteral("has no blank"),
                                             cloneLines[nextClone])};
                ++nextClone;
            }
        }

        // The driver listing is searched forward only, from where the last game
        // was found.
        qsizetype found = -1;
        while (found < 0 && nextDriver < driverLines.size()) {
            const QString& driverLine = driverLines[nextDriver];
            const qsizetype keyEnd = driverLine.indexOf(u' ');
            if (keyEnd >= 0 && QStringView(driverLine).left(keyEnd) == game.name)
                found = nextDriver;
            ++nextDriver;
        }
        if (found < 0) {
            if (driverLines.isEmpty())
                return Failure{QStringLiteral("MAME's %1 is empty.").arg(kDriverListing)};
            return Failure{QStringLiteral("MAME's %1 does not list %2, or lists it out of order.")
                               .arg(kDriverListing, gameLabel(game.name, g + 1))};
        }
        const QString& driverLine = driverLines[found];
        const qsizetype fileEnd = driverLine.indexOf(QStringLiteral(".c"), kDriverColumn - 1);
        if (fileEnd < 0)
            return Failure{lineFault(kDriverListing, found + 1,
                                     QStringLiteral("has no \".c\" file name from column 22 for %1")
                                         .arg(gameLabel(game.name, g + 1)),
                                     driverLine)};
        game.driver = driverLine.mid(kDriverColumn - 1, fileEnd - (kDriverColumn - 1));

        games.push_back(std::move(game));
    }

    if (games.empty())
        return Failure{QStringLiteral("MAME's %1 holds no game.").arg(kGameListing)};

    // Records the database file would refuse, or give back changed, are not
    // written at all: the game-listing order still gives the line to point at.
    if (const std::optional<qsizetype> bad = findUnreadableRecord(games)) {
        const GameRecord& game = games[*bad];
        return Failure{QStringLiteral("MAME's listings give %1 %2, which the database cannot hold.")
                           .arg(gameLabel(game.name, *bad + 2), *unreadableReason(game))};
    }

    sortGames(games, std::ssize(games), caseInsensitive);
    return games;
}
