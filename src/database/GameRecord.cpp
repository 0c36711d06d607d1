// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/GameRecord.h"

#include "database/DatabaseFile.h"
#include "database/SetAsideFile.h"
#include "text/Sorting.h"
#include "text/TextFile.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

bool hasLineBreak(QByteArrayView bytes) {
    return bytes.contains('\r') || bytes.contains('\n');
}

} // namespace

QString GameRecord::description() const {
    if (m_table->isSetAside())
        return decodeText(m_table->asideField(m_table->asideEntry(m_position), 0));
    return decodeText(descriptionBytes());
}

QString GameRecord::name() const {
    if (m_table->isSetAside())
        return decodeText(m_table->asideField(m_table->asideEntry(m_position), 1));
    return decodeText(nameBytes());
}

QString GameRecord::parent() const {
    if (m_table->isSetAside())
        return decodeText(m_table->asideField(m_table->asideEntry(m_position), 2));
    return decodeText(parentBytes());
}

QString GameRecord::driver() const {
    if (m_table->isSetAside())
        return decodeText(m_table->asideField(m_table->asideEntry(m_position), 3));
    return decodeText(driverBytes());
}

GameFields GameRecord::fields() const {
    return {description(), name(), parent(), driver()};
}

QByteArrayView GameRecord::nameBytes() const {
    const GameTable::Entry& entry = m_table->entry(m_position);
    return {m_table->bytes() + entry.name, m_table->nameEnd(entry) - entry.name};
}

QByteArrayView GameRecord::parentBytes() const {
    const GameTable::Entry& entry = m_table->entry(m_position);
    const qsizetype start = m_table->nameEnd(entry) + 1;
    return {m_table->bytes() + start, entry.driver - 1 - start};
}

QByteArrayView GameRecord::driverBytes() const {
    const GameTable::Entry& entry = m_table->entry(m_position);
    return {m_table->bytes() + entry.driver, m_table->driverEnd(entry) - entry.driver};
}

QByteArrayView GameRecord::lineBytes() const {
    const GameTable::Entry& entry = m_table->entry(m_position);
    return {m_table->bytes() + entry.description, m_table->driverEnd(entry) - entry.description};
}

bool GameRecord::operator==(const GameRecord& other) const {
    return descriptionBytes() == other.descriptionBytes() && nameBytes() == other.nameBytes() &&
           parentBytes() == other.parentBytes() && driverBytes() == other.driverBytes();
}

GameTable::GameTable(std::initializer_list<GameFields> games) {
    for (const GameFields& game : games)
        push_back(game);
}

GameTable::GameTable(std::initializer_list<GameRecord> games) {
    for (const GameRecord& game : games)
        push_back(game);
}

GameRecord GameTable::at(qsizetype position) const {
    if (position < 0 || position >= std::ssize(*this))
        throw std::out_of_range("GameTable::at");
    return (*this)[position];
}

qsizetype GameTable::nameEnd(const Entry& entry) const {
    // No parent holds a "|": the name's is the last before the driver's. A
    // parent is mostly empty and else short, so it is looked for from there.
    const char* const bytes = this->bytes();
    qsizetype at = entry.driver - 2;
    while (bytes[at] != '|')
        --at;
    return at;
}

qsizetype GameTable::driverEnd(const Entry& entry) const {
    const char* const bytes = this->bytes();
    const qsizetype size = m_bytes.size();
    qsizetype at = entry.driver;
    while (at < size && bytes[at] != '\r' && bytes[at] != '\n')
        ++at;
    return at;
}

void GameTable::reserve(qsizetype games, qsizetype bytes) {
    takeBack();
    m_entries.reserve(m_entries.size() + static_cast<size_t>(games));
    if (bytes > 0)
        m_bytes.reserve(m_bytes.size() + bytes);
}

void GameTable::appendEntry(QByteArrayView description, QByteArrayView name, QByteArrayView parent,
                            QByteArrayView driver) {
    takeBack();
    const qsizetype start = m_bytes.size();
    if (start + description.size() + name.size() + parent.size() + driver.size() + 4 >
        kMostTableBytes)
        throw std::length_error("GameTable: more than 2 GiB of texts");
    m_bytes.append(description).append('|');
    const auto nameStart = static_cast<quint32>(m_bytes.size());
    m_bytes.append(name).append('|').append(parent).append('|');
    const auto driverStart = static_cast<quint32>(m_bytes.size());
    m_bytes.append(driver).append('\n');
    m_entries.push_back({static_cast<quint32>(start), nameStart, driverStart, !parent.isEmpty()});
}

void GameTable::appendBytes(QByteArrayView description, QByteArrayView name, QByteArrayView parent,
                            QByteArrayView driver) {
    if (!name.contains('|') && !parent.contains('|') && !hasLineBreak(driver))
        return appendEntry(description, name, parent, driver);
    push_back(GameFields{decodeText(description), decodeText(name), decodeText(parent),
                         decodeText(driver)});
}

void GameTable::push_back(const GameFields& game) {
    const QByteArray description = encodeText(game.description);
    QByteArray name = encodeText(game.name);
    QByteArray parent = encodeText(game.parent);
    QByteArray driver = encodeText(game.driver);
    const bool keepable = !name.contains('|') && !parent.contains('|') && !hasLineBreak(driver) &&
                          readsBackAsWritten(game.description) && readsBackAsWritten(game.name) &&
                          readsBackAsWritten(game.parent) && readsBackAsWritten(game.driver);
    if (!keepable) {
        m_unkept.emplace_back(std::ssize(*this), unreadableReason(game).value_or(QString()));
        name.replace('|', '/');
        parent.replace('|', '/');
        driver.replace('\r', ' ').replace('\n', ' ');
    }
    appendEntry(description, name, parent, driver);
}

void GameTable::push_back(const GameRecord& game) {
    if (const std::optional<QString> reason = game.table().unkeptReason(game.position()))
        m_unkept.emplace_back(std::ssize(*this), *reason);
    if (&game.table() == this) { // the views would not outlive the buffer's growth
        const GameTable copy{game};
        return appendEntry(copy.front().descriptionBytes(), copy.front().nameBytes(),
                           copy.front().parentBytes(), copy.front().driverBytes());
    }
    appendEntry(game.descriptionBytes(), game.nameBytes(), game.parentBytes(), game.driverBytes());
}

void GameTable::reorder(std::vector<qint32> order) {
    takeBack();
    Q_ASSERT(order.size() == m_entries.size());
    if (!m_unkept.empty()) {
        std::vector<qsizetype> newPosition(order.size());
        for (size_t k = 0; k < order.size(); ++k)
            newPosition[static_cast<size_t>(order[k])] = static_cast<qsizetype>(k);
        for (auto& [position, reason] : m_unkept)
            position = newPosition[static_cast<size_t>(position)];
        std::sort(m_unkept.begin(), m_unkept.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    // Each cycle of the permutation in turn, marking what is done in `order`.
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0)
            continue;
        const Entry first = m_entries[start];
        size_t at = start;
        for (;;) {
            const auto from = static_cast<size_t>(order[at]);
            order[at] = -1;
            if (from == start) {
                m_entries[at] = first;
                break;
            }
            m_entries[at] = m_entries[from];
            at = from;
        }
    }
}

std::optional<QString> GameTable::unkeptReason(qsizetype position) const {
    const auto found = std::lower_bound(
        m_unkept.begin(), m_unkept.end(), position,
        [](const std::pair<qsizetype, QString>& entry, qsizetype p) { return entry.first < p; });
    if (found == m_unkept.end() || found->first != position)
        return std::nullopt;
    return found->second;
}

bool GameTable::setAside(std::shared_ptr<SetAsideFile> file) {
    if (m_aside || !file)
        return m_aside != nullptr;
    const std::optional<qint64> at = file->append(m_bytes);
    const std::optional<qint64> entriesAt =
        at ? file->append(QByteArrayView(reinterpret_cast<const char*>(m_entries.data()),
                                         std::ssize(m_entries) * qsizetype(sizeof(Entry))))
           : std::nullopt;
    if (!entriesAt)
        return false;
    m_asideAt = *at;
    m_asideSize = m_bytes.size();
    m_asideEntriesAt = *entriesAt;
    m_asideCount = m_entries.size();
    m_aside = std::move(file);
    m_bytes = QByteArray();
    m_entries = std::vector<Entry>();
    return true;
}

GameTable::Entry GameTable::asideEntry(qsizetype position) const {
    Entry entry{0, 1, 2, false}; // an empty record's, should the file fail
    (void)m_aside->read(m_asideEntriesAt + position * qsizetype(sizeof(Entry)),
                        reinterpret_cast<char*>(&entry), sizeof(Entry));
    return entry;
}

bool GameTable::takeBack() const {
    if (!m_aside)
        return true;
    QByteArray bytes(m_asideSize, Qt::Uninitialized);
    std::vector<Entry> entries(m_asideCount);
    const bool read = m_aside->read(m_asideAt, bytes.data(), m_asideSize) &&
                      m_aside->read(m_asideEntriesAt, reinterpret_cast<char*>(entries.data()),
                                    std::ssize(entries) * qsizetype(sizeof(Entry)));
    // Lost, every game reads as an empty one of its own: "|||" and a line end.
    if (!read) {
        bytes = QByteArray("|||\n").repeated(std::max<qsizetype>(std::ssize(entries), 1));
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i] = {quint32(4 * i), quint32(4 * i + 1), quint32(4 * i + 3), false};
    }
    m_bytes = std::move(bytes);
    m_entries = std::move(entries);
    m_aside.reset();
    return read;
}

QByteArray GameTable::asideField(const Entry& entry, int field) const {
    const auto read = [this](qint64 from, qint64 to) {
        to = std::min(to, m_asideSize);
        return from < to ? m_aside->read(m_asideAt + from, to - from).value_or(QByteArray())
                         : QByteArray();
    };
    if (field == 0)
        return read(entry.description, entry.name - 1);
    if (field == 3) {
        // The driver runs to the line's end, which is read a piece at a time.
        QByteArray driver;
        for (qint64 at = entry.driver; at < m_asideSize; at += 64) {
            const QByteArray piece = read(at, at + 64);
            qsizetype end = piece.size();
            for (const char mark : {'\r', '\n'}) {
                if (const qsizetype found = piece.indexOf(mark); found >= 0)
                    end = std::min(end, found);
            }
            if (piece.isEmpty() || end < piece.size())
                return driver + piece.left(end);
            driver += piece;
        }
        return driver;
    }
    // The name and the parent lie between the description and the driver.
    const QByteArray both = read(entry.name, entry.driver - 1);
    const qsizetype bar = both.indexOf('|');
    if (bar < 0)
        return {};
    return field == 1 ? both.left(bar) : both.mid(bar + 1);
}

bool GameTable::operator==(const GameTable& other) const {
    return size() == other.size() && std::equal(begin(), end(), other.begin());
}

void sortGames(GameTable& games, bool caseInsensitive) {
    // The table never holds more than kMaxGames records, so the count fits.
    games.reorder(sortedTextOrder(
        static_cast<qint32>(games.size()),
        [&games](qint32 i) { return games[i].descriptionBytes(); }, caseInsensitive));
}
