// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/ListingImport.h"

#include "database/DatabaseFile.h"
#include "database/ListingFaults.h"
#include "text/TextFile.h"
#include "text/TrimSpaces.h"

#include <QCoreApplication>
#include <QFile>
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
        return QCoreApplication::translate("ListingImport", "the game on line %1 of the %2")
            .arg(QString::number(gameLine), gameListingName());
    return QCoreApplication::translate("ListingImport", "the game \"%1\"").arg(name);
}

// A driver line names a game when it holds a blank after a name and a ".c" file
// name from the driver column: the name, or nothing for any other line.
std::optional<QStringView> driverLineName(const QString& line) {
    const qsizetype blank = line.indexOf(u' ');
    if (blank <= 0 || line.indexOf(QStringLiteral(".c"), kDriverColumn - 1) < 0)
        return std::nullopt;
    return QStringView(line).left(blank);
}

// Reads a game line of the game listing, line `lineNumber`, into a record
// with its description and short name.
Outcome<GameFields> readGameLine(const QString& line, qsizetype lineNumber) {
    GameFields game;
    const qsizetype quote = line.indexOf(u'"', kDescriptionColumn - 1);
    if (quote < 0)
        return Failure{lineFault(
            gameListingName(), lineNumber,
            QCoreApplication::translate("ListingImport", "has no closing double quote after the "
                                                         "description"),
            line)};
    game.description = line.mid(kDescriptionColumn - 1, quote - (kDescriptionColumn - 1));
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0)
        return Failure{lineFault(
            gameListingName(), lineNumber,
            QCoreApplication::translate("ListingImport", "has no blank after the short name"),
            line)};
    game.name = line.left(blank);
    return game;
}

// The clone listing read along the game listing: its cursor holds the clone
// line read last and moves on only when that clone's game has been read.
class CloneCursor {
  public:
    explicit CloneCursor(const QStringList& lines) : m_lines(lines) {}

    // Reads the first clone line, after the header.
    std::optional<Failure> start() { return readNext(); }

    // Gives `game` its parent when it is the clone at the cursor, which then
    // moves on to the next clone line (at the last one, it stays there).
    std::optional<Failure> match(GameFields& game) {
        if (game.name != m_clone)
            return std::nullopt;
        game.parent = m_parent;
        return m_next < m_lines.size() ? readNext() : std::nullopt;
    }

  private:
    // Reads the line at m_next: the clone is the text before the first blank,
    // its parent the last kParentWidth characters less trailing blanks.
    std::optional<Failure> readNext() {
        const QString& line = m_lines[m_next];
        const qsizetype blank = line.indexOf(u' ');
        if (blank < 0)
            return Failure{lineFault(cloneListingName(), m_next + 1,
                                     QCoreApplication::translate("ListingImport", "has no blank"),
                                     line)};
        m_clone = line.left(blank);
        m_parent = line.right(kParentWidth);
        m_parent.chop(trailingSpaces(m_parent));
        ++m_next;
        return std::nullopt;
    }

    const QStringList& m_lines;
    qsizetype m_next = 1; // past the header
    QString m_clone;
    QString m_parent;
};

// The driver listing, searched forward only from where the last game was
// found.
class DriverSearch {
  public:
    explicit DriverSearch(const QStringList& lines) : m_lines(lines) {}

    // The driver of `game`, line `gameLine` of the game listing: the text from
    // the driver column up to ".c" on the next line whose text before the first
    // blank is the game's short name.
    Outcome<QString> driverOf(const GameFields& game, qsizetype gameLine) {
        qsizetype found = -1;
        while (found < 0 && m_next < m_lines.size()) {
            const QString& line = m_lines[m_next];
            const qsizetype keyEnd = line.indexOf(u' ');
            if (keyEnd >= 0 && QStringView(line).left(keyEnd) == game.name)
                found = m_next;
            ++m_next;
        }
        if (found < 0) {
            if (m_lines.isEmpty())
                return Failure{QCoreApplication::translate("ListingImport", "MAME's %1 is empty.")
                                   .arg(driverListingName())};
            return Failure{
                QCoreApplication::translate("ListingImport",
                                            "MAME's %1 does not list %2, or lists it out of order.")
                    .arg(driverListingName(), gameLabel(game.name, gameLine))};
        }
        const QString& line = m_lines[found];
        const qsizetype fileEnd = line.indexOf(QStringLiteral(".c"), kDriverColumn - 1);
        if (fileEnd < 0)
            return Failure{
                lineFault(driverListingName(), found + 1,
                          QCoreApplication::translate(
                              "ListingImport", "has no \".c\" file name from column 22 for %1")
                              .arg(gameLabel(game.name, gameLine)),
                          line)};
        return line.mid(kDriverColumn - 1, fileEnd - (kDriverColumn - 1));
    }

  private:
    const QStringList& m_lines;
    qsizetype m_next = 0;
};

// A driver line for a game that `games` lacks: the game listing was cut short.
std::optional<Failure> findGameLacking(const GameTable& games, const QStringList& driverLines) {
    // The names' texts are made here, so the set keeps them.
    QSet<QString> names;
    names.reserve(std::ssize(games));
    for (const GameRecord& game : games)
        names.insert(game.name());
    for (qsizetype d = 0; d < driverLines.size(); ++d) {
        const std::optional<QStringView> name = driverLineName(driverLines[d]);
        if (name && !names.contains(name->toString()))
            return Failure{
                QCoreApplication::translate("ListingImport",
                                            "Line %1 of MAME's %2 names the game %3, which the %4 "
                                            "lacks: MAME did not finish that listing.")
                    .arg(QString::number(d + 1), driverListingName(), quoted(name->toString()),
                         gameListingName())};
    }
    return std::nullopt;
}

} // namespace

Outcome<GameTable> importListings(const std::optional<QStringList>& gameListing,
                                  const std::optional<QStringList>& cloneListing,
                                  const std::optional<QStringList>& driverListing,
                                  bool caseInsensitive) {
    for (const auto& [listing, name] :
         {std::pair{&gameListing, gameListingName()}, std::pair{&cloneListing, cloneListingName()},
          std::pair{&driverListing, driverListingName()}}) {
        if (!*listing)
            return Failure{
                QCoreApplication::translate("ListingImport", "MAME produced no %1.").arg(name)};
    }
    const QStringList& gameLines = *gameListing;
    const QStringList& cloneLines = *cloneListing;
    if (gameLines.isEmpty())
        return Failure{QCoreApplication::translate("ListingImport", "MAME's %1 is empty.")
                           .arg(gameListingName())};
    if (cloneLines.isEmpty())
        return Failure{QCoreApplication::translate("ListingImport", "MAME's %1 is empty.")
                           .arg(cloneListingName())};
    if (cloneLines.size() < 2)
        return Failure{QCoreApplication::translate("ListingImport",
                                                   "MAME's %1 holds only one line and no clone.")
                           .arg(cloneListingName())};

    // Both headers are passed over.
    CloneCursor clones(cloneLines);
    if (std::optional<Failure> failure = clones.start())
        return *failure;
    DriverSearch drivers(*driverListing);
    GameTable games;
    games.reserve(std::min<qsizetype>(gameLines.size() - 1, kMaxGames));
    // The first game that the database file would refuse, or give back
    // changed: the game-listing order gives the line to point at.
    std::optional<Failure> unreadable;
    for (qsizetype g = 1; g < gameLines.size(); ++g) {
        if (std::ssize(games) == kMaxGames)
            return Failure{QCoreApplication::translate(
                               "ListingImport", "MAME's %1 holds more than %2 games, more than the "
                                                "database can hold.")
                               .arg(gameListingName(), formatCount(kMaxGames))};
        Outcome<GameFields> read = readGameLine(gameLines[g], g + 1);
        if (!read.ok())
            return read.why();
        GameFields game = std::move(read).value();
        if (std::optional<Failure> failure = clones.match(game))
            return *failure;
        Outcome<QString> driver = drivers.driverOf(game, g + 1);
        if (!driver.ok())
            return driver.why();
        game.driver = std::move(driver).value();
        if (!unreadable) {
            if (const std::optional<QString> reason = unreadableReason(game))
                unreadable = Failure{QCoreApplication::translate(
                                         "ListingImport",
                                         "MAME's listings give %1 %2, which the database cannot "
                                         "hold.")
                                         .arg(gameLabel(game.name, g + 1), *reason)};
        }
        games.push_back(game);
    }

    if (games.empty())
        return Failure{QCoreApplication::translate("ListingImport", "MAME's %1 holds no game.")
                           .arg(gameListingName())};
    // Records the database file would refuse, or give back changed, are not
    // written at all.
    if (unreadable)
        return *unreadable;
    if (std::optional<Failure> failure = findGameLacking(games, *driverListing))
        return *failure;

    sortGames(games, caseInsensitive);
    return games;
}

Outcome<std::optional<QStringList>> readListingFile(const QString& path, const QString& listing) {
    QFile file(path);
    if (!file.exists())
        return std::optional<QStringList>{};
    if (!file.open(QIODevice::ReadOnly))
        return Failure{
            QCoreApplication::translate("ListingImport", "MAME's %1 could not be read: %2.")
                .arg(listing, file.errorString())};
    const auto tooLong = [&](qsizetype line) {
        return Failure{
            QCoreApplication::translate("ListingImport",
                                        "Line %1 of MAME's %2 is longer than %3 bytes, longer than "
                                        "any line MAME prints.")
                .arg(QString::number(line), listing, formatCount(kLongestListingLine))};
    };
    QStringList lines;
    QByteArray pending; // the bytes of the line not yet ended
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return Failure{
                QCoreApplication::translate("ListingImport", "MAME's %1 could not be read: %2.")
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
        return Failure{
            QCoreApplication::translate("ListingImport",
                                        "MAME's %1 ends in the middle of a line, so MAME did not "
                                        "finish it.")
                .arg(listing)};
    return std::optional<QStringList>{std::move(lines)};
}

Outcome<GameTable> importListingFiles(const QString& gameListing, const QString& cloneListing,
                                      const QString& driverListing, bool caseInsensitive) {
    const Outcome<std::optional<QStringList>> games =
        readListingFile(gameListing, gameListingName());
    if (!games.ok())
        return games.why();
    const Outcome<std::optional<QStringList>> clones =
        readListingFile(cloneListing, cloneListingName());
    if (!clones.ok())
        return clones.why();
    const Outcome<std::optional<QStringList>> drivers =
        readListingFile(driverListing, driverListingName());
    if (!drivers.ok())
        return drivers.why();
    return importListings(games.value(), clones.value(), drivers.value(), caseInsensitive);
}

QString gameListingName() {
    return QCoreApplication::translate("ListingImport", "game listing (-listfull)");
}

QString cloneListingName() {
    return QCoreApplication::translate("ListingImport", "clone listing (-listclones)");
}

QString driverListingName() {
    return QCoreApplication::translate("ListingImport", "driver listing (-listsourcefile)");
}
