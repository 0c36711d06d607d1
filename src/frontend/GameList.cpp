// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/GameList.h"

#include "database/DatabaseFile.h"
#include "database/SetAsideFile.h"
#include "gamelist/DriverFilter.h"
#include "gamelist/GameSearch.h"
#include "gamelist/WordSearch.h"
#include "text/TextFile.h"

#include <QFile>
#include <algorithm>

namespace {

// The row of master position `position` in `rows` (which ascend), or -1.
qsizetype rowOf(const ShownRows& rows, qint32 position) {
    qsizetype low = 0, high = rows.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (rows[middle] < position)
            low = middle + 1;
        else
            high = middle;
    }
    return low < rows.size() && rows[low] == position ? low : -1;
}

} // namespace

GameList::GameList(QObject* parent) : QObject(parent) {}

std::optional<GameRecord> GameList::selectedGame() const {
    if (m_selectedRow < 0)
        return std::nullopt;
    return shownGame(m_selectedRow);
}

Outcome<Done> GameList::load(const QString& driverFilter, qint32 lastGame,
                             const ShowChoices& choices) {
    Outcome<GameTable> read = readDatabase(m_databaseFile);
    if (!read.ok())
        return read.why();
    m_games = std::move(read).value();
    align();
    m_driverFilter = driverFilter;
    m_choices = choices;
    if (!showThroughFilter())
        lastGame = 0; // the saved place was in a list that is gone
    select(lastGame >= 0 && lastGame < m_shown.size() ? lastGame : 0);
    emit gamesChanged(true);
    return Done{};
}

void GameList::align() {
    ++m_generation;
    m_facts = alignFacts(m_games, m_machines, m_favourites);
    m_manufacturers.reset();
    m_searchTexts.reset();
    m_columns.reset();
    m_narrow.reset();
}

const std::vector<QString>& GameList::manufacturers() const {
    if (m_manufacturers)
        return *m_manufacturers;
    if (!m_asideMachines) {
        m_manufacturers = alignedManufacturers(m_facts, m_machines, std::ssize(m_games));
    } else {
        // While a List runs they are read from the file they wait in.
        MachineList machines = m_machines;
        machines.manufacturers =
            m_asideMachines->file
                ->read(m_asideMachines->manufacturersAt, m_asideMachines->manufacturersSize)
                .value_or(QByteArray());
        m_manufacturers = alignedManufacturers(m_facts, machines, std::ssize(m_games));
    }
    return *m_manufacturers;
}

const FactColumns& GameList::factColumns() const {
    if (m_columns)
        return *m_columns;
    MachineColumns machines;
    PlayTable plays;
    if (m_columnSource && m_columnSource(machines, plays)) {
        m_columns = alignColumns(m_games, machines, plays);
        return *m_columns;
    }
    static const FactColumns none;
    return none;
}

const NarrowColumns& GameList::narrowColumns() const {
    if (m_narrow && m_narrowWhole)
        return *m_narrow;
    const FactColumns& columns = factColumns();
    CategoryTable categories;
    const bool categoriesRead = m_categorySource && m_categorySource(categories);
    m_narrow = ::narrowColumns(m_games, manufacturers(), columns.years, categories);
    // Made again, when asked for, once the catalogue can be read.
    m_narrowWhole = categoriesRead && (columns.size() != 0 || m_games.empty());
    return *m_narrow;
}

void GameList::categoriesChanged() {
    m_narrow.reset();
    if ((m_choices.narrowsCategories()) && !m_games.empty())
        reshow(m_filtered);
    emit showChoicesChanged();
}

ShownRows GameList::passThrough(const ShownRows& rows, const ShowChoices& choices) const {
    static const NarrowColumns none;
    const bool narrows =
        choices.narrowsMakers() || choices.narrowsYears() || choices.narrowsCategories();
    return showThrough(rows, m_facts.flags, choices, narrows ? narrowColumns() : none);
}

NarrowOffer GameList::narrowOffer(NarrowKind kind) const {
    const ShownRows rows = passThrough(m_filtered, withoutChoice(m_choices, kind));
    return {kind, m_choices, countValues(kind, rows, narrowColumns())};
}

void GameList::notePlayed(const QString& set, const QDateTime& when) {
    if (!m_columns)
        return;
    // Texts are equal exactly when their bytes are.
    if (!readsBackAsWritten(set))
        return;
    const QByteArray bytes = encodeText(set);
    for (size_t i = 0; i < m_games.size(); ++i) {
        if (m_games[static_cast<qsizetype>(i)].nameBytes() != bytes)
            continue;
        ++m_columns->playCounts[i];
        m_columns->lastPlayed[i] = when;
        emit playCounted(static_cast<qint32>(i));
    }
}

const WordSearchTexts& GameList::searchTexts() const {
    if (!m_searchTexts)
        m_searchTexts = wordSearchTexts(m_games, manufacturers());
    return *m_searchTexts;
}

void GameList::setCatalogue(MachineList machines, QSet<QString> favourites) {
    dropAsideMachines();
    m_machines = std::move(machines);
    m_favourites = std::move(favourites);
    align();
    if (!m_choices.hideNothing() && !m_games.empty())
        reshow(m_filtered);
    emit showChoicesChanged();
}

void GameList::show(ShownRows rows) {
    emit shownAboutToChange();
    m_shown = std::move(rows);
    m_selectedRow = -1;
    emit shownChanged();
    if (m_shown.empty())
        emit selectionChanged(-1);
}

void GameList::reshow(ShownRows rows) {
    const qint32 selected = m_selectedRow >= 0 ? m_shown[m_selectedRow] : -1;
    const int selectedRow = m_selectedRow;
    ShownRows shown = passThrough(rows, m_choices);
    if (shown.empty() && m_choices.favouritesOnly) {
        m_choices.favouritesOnly = false;
        shown = passThrough(rows, m_choices);
    }
    if (shown.empty()) {
        m_choices = {};
        shown = rows;
    }
    m_filtered = std::move(rows);
    show(std::move(shown));
    if (m_shown.empty())
        return;
    const qsizetype kept = rowOf(m_shown, selected);
    select(kept >= 0 ? kept : std::clamp<qsizetype>(selectedRow, 0, m_shown.size() - 1));
}

Outcome<bool> GameList::applyDriverFilter(const QString& text) {
    Outcome<DriverSelection> selection = selectDrivers(text, m_games);
    if (!selection.ok())
        return selection.why();
    if (selection.value().rows.empty())
        return false;
    DriverSelection chosen = std::move(selection).value();
    ShownRows shown = passThrough(chosen.rows, m_choices);
    if (shown.empty())
        return false;
    m_filtered = std::move(chosen.rows);
    show(std::move(shown));
    m_driverFilter = std::move(chosen.filter);
    select(0);
    return true;
}

bool GameList::applyShowChoices(const ShowChoices& choices) {
    if (passThrough(m_filtered, choices).empty())
        return false;
    m_choices = choices;
    reshow(m_filtered);
    emit showChoicesChanged();
    return true;
}

void GameList::renameFavourites(
    const std::vector<std::pair<MachineDigest, MachineDigest>>& renamed) {
    for (const auto& [from, to] : renamed) {
        if (m_favourites.remove(from.name))
            m_favourites.insert(to.name);
    }
}

bool GameList::isFavourite(qsizetype position) const {
    return position >= 0 && position < std::ssize(m_facts.flags) &&
           (m_facts.flags[static_cast<size_t>(position)] & GameFlag::Favourite);
}

void GameList::setFavourite(qsizetype position, bool favourite) {
    if (position < 0 || position >= std::ssize(m_games) || isFavourite(position) == favourite)
        return;
    quint8& flags = m_facts.flags[static_cast<size_t>(position)];
    const QString name = m_games[position].name();
    if (favourite) {
        flags |= GameFlag::Favourite;
        m_favourites.insert(name);
    } else {
        flags &= ~GameFlag::Favourite;
        m_favourites.remove(name);
    }
    if (m_choices.favouritesOnly)
        reshow(m_filtered);
    emit showChoicesChanged();
}

bool GameList::search(const QString& text) {
    qsizetype found = searchGames(m_games, m_shown, text, m_searchCompare);
    if (found < 0 && !text.startsWith(u'['))
        found = searchFurther(m_shown, text, searchTexts());
    if (found >= 0) {
        select(found);
        return true;
    }
    return text.isEmpty() || (text.startsWith(u'[') && !text.endsWith(u']'));
}

qsizetype GameList::hiddenMatches(const QString& text) const {
    if (m_shown.size() == std::ssize(m_games) || text.isEmpty())
        return 0;
    std::vector<bool> shown(m_games.size());
    for (qsizetype row = 0; row < m_shown.size(); ++row)
        shown[static_cast<size_t>(m_shown[row])] = true;
    const std::vector<bool> further =
        text.startsWith(u'[') ? std::vector<bool>() : matchesFurther(text, searchTexts());
    qsizetype hidden = 0;
    for (size_t i = 0; i < m_games.size(); ++i) {
        if (!shown[i] &&
            ((!further.empty() && further[i]) || searchFinds(m_games[i], text, m_searchCompare)))
            ++hidden;
    }
    return hidden;
}

qsizetype GameList::rowOfGame(qint32 position) const {
    return rowOf(m_shown, position);
}

void GameList::select(qsizetype row) {
    if (row < 0 || row >= m_shown.size())
        return;
    m_selectedRow = static_cast<int>(row);
    emit selectionChanged(m_selectedRow);
}

bool GameList::showThroughFilter() {
    const ShowChoices wanted = m_choices;
    const bool hadFilter = !m_driverFilter.isEmpty();
    if (hadFilter) {
        const Outcome<bool> filtered = applyDriverFilter(m_driverFilter);
        if (filtered.ok() && filtered.value())
            return true;
    }
    m_driverFilter.clear();
    m_selectedRow = -1; // the first shown game is selected
    reshow(ShownRows::all(std::ssize(m_games)));
    const bool choicesKept = m_choices == wanted;
    if (!choicesKept)
        emit showChoicesChanged();
    return !hadFilter && choicesKept;
}

Outcome<Done> GameList::replaceGames(GameTable games, std::optional<MachineList> machines) {
    if (Outcome<Done> written = writeDatabase(m_databaseFile, games); !written.ok())
        return Failure{tr("The database could not be written to %1: %2")
                           .arg(m_databaseFile, written.failure())};
    adoptGames(std::move(games), std::move(machines));
    return Done{};
}

void GameList::adoptGames(GameTable games, std::optional<MachineList> machines) {
    m_games = std::move(games);
    if (machines) {
        dropAsideMachines();
        m_machines = std::move(*machines);
    } else {
        takeTextsBack(); // the machine list stays
    }
    align();
    showThroughFilter();
    emit gamesChanged(true);
    emit showChoicesChanged();
}

Outcome<Done> GameList::removeAll() {
    if (QFile::exists(m_databaseFile) && !QFile::remove(m_databaseFile))
        return Failure{tr("The database file %1 could not be deleted.").arg(m_databaseFile)};
    forgetGames();
    return Done{};
}

void GameList::forgetGames() {
    show({});
    m_filtered = {};
    m_games = {};
    dropAsideMachines();
    m_machines = {};
    m_facts = {};
    ++m_generation;
    m_manufacturers.reset();
    m_searchTexts.reset();
    m_columns.reset();
    m_narrow.reset();
    emit gamesChanged(false);
}

void GameList::setTextsAside(const QString& path) {
    if (m_games.isSetAside())
        return;
    auto file = std::make_shared<SetAsideFile>(path);
    if (!file->isOpen() || !m_games.setAside(file))
        return;
    m_searchTexts.reset();
    // The machine list's bits stay: they are small, and the flags came from
    // them; so do the manufacturers when they were made (the details view
    // shows them).
    const std::optional<qint64> names = file->append(m_machines.names);
    const std::optional<qint64> manufacturers =
        names ? file->append(m_machines.manufacturers) : std::nullopt;
    if (!manufacturers)
        return;
    m_asideMachines = AsideMachines{file, *names, m_machines.names.size(), *manufacturers,
                                    m_machines.manufacturers.size()};
    m_machines.names = QByteArray();
    m_machines.manufacturers = QByteArray();
}

void GameList::takeTextsBack() {
    bool whole = m_games.takeBack();
    if (m_asideMachines) {
        const AsideMachines aside = *std::exchange(m_asideMachines, std::nullopt);
        std::optional<QByteArray> names = aside.file->read(aside.namesAt, aside.namesSize);
        std::optional<QByteArray> manufacturers =
            aside.file->read(aside.manufacturersAt, aside.manufacturersSize);
        whole = whole && names && manufacturers;
        m_machines.names = std::move(names).value_or(QByteArray());
        m_machines.manufacturers = std::move(manufacturers).value_or(QByteArray());
    }
    if (whole)
        return;
    // Our own file could not be read: the database file still holds the games.
    const qint32 selected = m_selectedRow;
    const Outcome<Done> reloaded = load(m_driverFilter, selected, m_choices);
    if (!reloaded.ok())
        forgetGames();
}
