// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/ListingImport.h"

#include "database/DatabaseFile.h"
#include "database/ListingFaults.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

#include <QFile>
#include <QLocale>
#include <QSet>
#include <algorithm>

namespace {

constexpr qsizetype kDescriptionColumn = 12;
constexpr qsizetype kDriverColumn = 22;
constexpr qsizetype kParentWidth = 8;

// Names a game in a message: by its short name, or by its line in the game
// listing when the name is empty or too long to quote.
QString gameLabel(const QString& name, qsizetype gameLine) {
    if (name.isEmpty() || name.size() > kLongestName)
        return QStringLiteral("the game on line %1 of the %2")
            .arg(QString::number(gameLine), kGameListing);
    return QStringLiteral("the game \"%1\"").arg(name);
}

// A driver line names a game when it holds a blank after a name and a ".c" file
// name from the driver column: the name, or nothing for any other line.
std::optional<QStringView> driverLineName(const QString& line) {
    const qsizetype blank = line.indexOf(u' ');
    if (blank <= 0 || line.indexOf(QStringLiteral(".c"), kDriverColumn - 1) < 0)
        return std::nullopt;
    return QStringView(line).left(blank);
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
    QSet<QString> names;
    // The first game that the database file would refuse, or give back
    // changed: the game-listing order gives the line to point at.
    std::optional<Failure> unreadable;
    for (qsizetype g = 1; g < gameLines.size(); ++g) {
        if (std::ssize(games) == kMaxGames)
            return Failure{QStringLiteral("MAME's %1 holds more than %2 games, more than the "
                                          "database can hold.")
                               .arg(kGameListing, QLocale(QLocale::English).toString(kMaxGames))};
        const QString& line = gameLines[g];
        GameFields game;

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

        if (!unreadable) {
            if (const std::optional<QString> reason = unreadableReason(game))
                unreadable = Failure{
                    QStringLiteral("MAME's listings give %1 %2, which the database cannot hold.")
                        .arg(gameLabel(game.name, g + 1), *reason)};
        }
        names.insert(game.name);
        games.push_back(game);
    }

    if (games.empty())
        return Failure{QStringLiteral("MAME's %1 holds no game.").arg(kGameListing)};

    // Records the database file would refuse, or give back changed, are not
    // written at all.
    if (unreadable)
        return *unreadable;

    // A driver line for a game that the game listing lacks: MAME stopped that
    // listing short.
    for (qsizetype d = 0; d < driverLines.size(); ++d) {
        const std::optional<QStringView> name = driverLineName(driverLines[d]);
        if (name && !names.contains(name->toString()))
            return Failure{QStringLiteral("Line %1 of MAME's %2 names the game %3, which the %4 "
                                          "lacks: MAME did not finish that listing.")
                               .arg(QString::number(d + 1), kDriverListing,
                                    quotedLine(name->toString()), kGameListing)};
    }

    sortGames(games, caseInsensitive);
    return games;
}

Outcome<std::optional<QStringList>> readListingFile(const QString& path, const QString& listing) {
    QFile file(path);
    if (!file.exists())
        return std::optional<QStringList>{};
    if (!file.open(QIODevice::ReadOnly))
        return Failure{
            QStringLiteral("MAME's %1 could not be read: %2.").arg(listing, file.errorString())};
    const auto tooLong = [&](qsizetype line) {
        return Failure{QStringLiteral("Line %1 of MAME's %2 is longer than %3 bytes, longer than "
                                      "any line MAME prints.")
                           .arg(QString::number(line), listing,
                                QLocale(QLocale::English).toString(kLongestListingLine))};
    };
    QStringList lines;
    QByteArray pending; // the bytes of the line not yet ended
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return Failure{QStringLiteral("MAME's %1 could not be read: %2.")
                               .arg(listing, file.errorString())};
        const bool ended = read == 0;
        pending += QByteArrayView(chunk.constData(), read);
        qsizetype start = 0;
        for (qsizetype i = 0; i < pending.size(); ++i) {
            const char c = pending[i];
            if (c != '\r' && c != '\n')
                continue;
            // A CR at the end of what has come may be the first half of a CR LF.
            if (c == '\r' && i + 1 == pending.size() && !ended)
                break;
            if (i - start > kLongestListingLine)
                return tooLong(lines.size() + 1);
            lines.append(decodeText(QByteArrayView(pending).sliced(start, i - start)));
            if (c == '\r' && i + 1 < pending.size() && pending[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        pending.remove(0, start);
        if (pending.size() > kLongestListingLine + 1)
            return tooLong(lines.size() + 1);
        if (ended)
            break;
    }
    if (!pending.isEmpty())
        return Failure{QStringLiteral("MAME's %1 ends in the middle of a line, so MAME did not "
                                      "finish it.")
                           .arg(listing)};
    return std::optional<QStringList>{std::move(lines)};
}

Outcome<GameTable> importListingFiles(const QString& gameListing, const QString& cloneListing,
                                      const QString& driverListing, bool caseInsensitive) {
    const Outcome<std::optional<QStringList>> games = readListingFile(gameListing, kGameListing);
    if (!games.ok())
        return games.why();
    const Outcome<std::optional<QStringList>> clones = readListingFile(cloneListing, kCloneListing);
    if (!clones.ok())
        return clones.why();
    const Outcome<std::optional<QStringList>> drivers =
        readListingFile(driverListing, kDriverListing);
    if (!drivers.ok())
        return drivers.why();
    return importListings(games.value(), clones.value(), drivers.value(), caseInsensitive);
}
