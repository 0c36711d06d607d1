// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The game tables hold at most this many records. Positions in them are
// qsizetype; the limit keeps them within 32 bits as well.
inline constexpr int kMaxGames = 1000000;

// No field of a game is longer than MAME could produce: a short, parent or
// driver name holds at most kLongestName bytes (UTF-8), a description at most
// kLongestDescription.
inline constexpr qsizetype kLongestName = 64;
inline constexpr qsizetype kLongestDescription = 1024;

// One game's four texts in file order, whole: what a table is made of and
// what a record gives back.
struct GameFields {
    QString description; // shown in the list; the sort key
    QString name;        // short set name, passed to MAME
    QString parent;      // parent set for a clone, else empty
    QString driver;      // driver source file name without ".c"

    bool operator==(const GameFields&) const = default;
};

class GameTable;
class SetAsideFile;

// One game of a table, by its position there. Each text is made when it is
// asked for, from the bytes the database file holds for it (decodeText), so
// that a table of a million games holds no string per game. The bytes
// themselves are there too, for the few places that go through every game.
// A record stands for its game while the table stays as it is.
class GameRecord {
  public:
    QString description() const;
    QString name() const;
    QString parent() const;
    QString driver() const;
    GameFields fields() const;

    // The texts as the file holds them: UTF-8, with any byte that is not part
    // of a well-formed character kept as it is. Two texts are equal exactly
    // when their bytes are.
    QByteArrayView descriptionBytes() const;
    QByteArrayView nameBytes() const;
    QByteArrayView parentBytes() const;
    QByteArrayView driverBytes() const;
    // The game's line as the file holds it, without its line end: the four
    // separated by "|".
    QByteArrayView lineBytes() const;

    // Whether the parent is not empty: a clone's record.
    bool hasParent() const;

    qsizetype position() const { return m_position; }
    const GameTable& table() const { return *m_table; }
    // The same four texts, in any tables.
    bool operator==(const GameRecord& other) const;

  private:
    friend class GameTable;
    GameRecord(const GameTable& table, qsizetype position)
        : m_table(&table), m_position(position) {}

    const GameTable* m_table;
    qsizetype m_position;
};

// The master table: the games in one buffer of the bytes the database file
// holds for them, each game's line (description|name|parent|driver) once,
// and per game where its fields begin in it (12 bytes). A table read from the
// file is the file's bytes as they are; games added later are appended to
// the buffer. Records are made on demand (operator[], iteration) and refer to
// the table.
//
// A table keeps exactly the texts it is given, except that the line's form
// cannot hold a "|" in a short name or a parent, a line break in a driver, or
// a text that would not read back (readsBackAsWritten): such a game is kept
// with those characters changed, and the table remembers why it cannot be
// written (unkeptReason()).
class GameTable {
  public:
    class const_iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = GameRecord;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = GameRecord;

        const_iterator() = default;
        GameRecord operator*() const { return (*m_table)[m_position]; }
        GameRecord operator[](qsizetype offset) const { return (*m_table)[m_position + offset]; }
        const_iterator& operator++() { return ++m_position, *this; }
        const_iterator operator++(int) { return {m_table, m_position++}; }
        const_iterator& operator--() { return --m_position, *this; }
        const_iterator operator--(int) { return {m_table, m_position--}; }
        const_iterator& operator+=(qsizetype offset) { return m_position += offset, *this; }
        const_iterator& operator-=(qsizetype offset) { return m_position -= offset, *this; }
        friend const_iterator operator+(const_iterator at, qsizetype offset) {
            return at += offset;
        }
        friend const_iterator operator+(qsizetype offset, const_iterator at) {
            return at += offset;
        }
        friend const_iterator operator-(const_iterator at, qsizetype offset) {
            return at -= offset;
        }
        friend qsizetype operator-(const const_iterator& a, const const_iterator& b) {
            return a.m_position - b.m_position;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.m_position == b.m_position;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.m_position <=> b.m_position;
        }

      private:
        friend class GameTable;
        const_iterator(const GameTable* table, qsizetype position)
            : m_table(table), m_position(position) {}
        const GameTable* m_table = nullptr;
        qsizetype m_position = 0;
    };
    using iterator = const_iterator;
    using reverse_iterator = std::reverse_iterator<const_iterator>;
    using value_type = GameRecord;
    using size_type = size_t;

    GameTable() = default;
    GameTable(std::initializer_list<GameFields> games);
    GameTable(std::initializer_list<GameRecord> games);
    template <class Iterator> GameTable(Iterator first, Iterator last) {
        for (; first != last; ++first)
            push_back(*first);
    }

    size_t size() const { return m_aside ? m_asideCount : m_entries.size(); }
    // How many bytes the games' texts take (also while set aside).
    qsizetype byteCount() const { return m_aside ? m_asideSize : m_bytes.size(); }
    bool empty() const { return size() == 0; }
    GameRecord operator[](qsizetype position) const { return GameRecord(*this, position); }
    GameRecord at(qsizetype position) const;
    GameRecord front() const { return (*this)[0]; }
    GameRecord back() const { return (*this)[std::ssize(*this) - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, std::ssize(*this)}; }
    reverse_iterator rbegin() const { return reverse_iterator(end()); }
    reverse_iterator rend() const { return reverse_iterator(begin()); }

    // Room for `games` more games of `bytes` bytes in all.
    void reserve(qsizetype games, qsizetype bytes = 0);
    // Appends a game: its texts encoded (encodeText), or a record's bytes as
    // they are.
    void push_back(const GameFields& game);
    void push_back(const GameRecord& game);
    // Appends a game from its texts' bytes as the file holds them.
    void appendBytes(QByteArrayView description, QByteArrayView name, QByteArrayView parent,
                     QByteArrayView driver);
    // Puts the games in the order `order` gives: game k becomes the one that
    // was at order[k]. `order` holds every position once.
    void reorder(std::vector<qint32> order);

    // Why game `position` could not be kept as it was given, or nothing.
    std::optional<QString> unkeptReason(qsizetype position) const;

    // Puts the bytes of the games' texts and where each game's fields begin
    // into `file`, and lets go of them: a game's texts (description() and the
    // like) are then read from the file when asked for, and anything that
    // needs the bytes themselves takes them all back first. False, changing
    // nothing, when the file does not take them.
    bool setAside(std::shared_ptr<SetAsideFile> file);
    bool isSetAside() const { return m_aside != nullptr; }
    // Takes the bytes back from the file (nothing to do when none are set
    // aside). False when they cannot be read: every text then reads empty,
    // and the table is of no more use.
    bool takeBack() const;
    // The same games with the same texts.
    bool operator==(const GameTable& other) const;

  private:
    friend class GameRecord;
    friend Outcome<GameTable> readDatabase(const QString& path);

    // Where a game's fields begin in m_bytes. The description ends before
    // the "|" in front of the name; the name ends at the next "|", the parent
    // before the "|" in front of the driver (neither holds one), and the
    // driver at the line's end (a CR, an LF, or the buffer's end).
    // Whether the parent is empty is kept beside, so that the list's flags
    // come from the entries alone.
    struct Entry {
        quint32 description;
        quint32 name;
        quint32 driver : 31;
        quint32 hasParent : 1;
    };

    const Entry& entry(qsizetype position) const {
        if (m_aside)
            takeBack();
        return m_entries[static_cast<size_t>(position)];
    }
    // While set aside: the entry of `position`, read from the file.
    Entry asideEntry(qsizetype position) const;
    // The buffer, taken back first when it is set aside.
    const char* bytes() const {
        if (m_aside)
            takeBack();
        return m_bytes.constData();
    }
    QByteArrayView descriptionBytes(const Entry& entry) const {
        return {bytes() + entry.description, entry.name - 1 - entry.description};
    }
    qsizetype nameEnd(const Entry& entry) const;
    qsizetype driverEnd(const Entry& entry) const;
    // While the bytes are set aside: the field of `entry` that `field` picks
    // (0: description ... 3: driver), read from the file.
    QByteArray asideField(const Entry& entry, int field) const;
    void appendEntry(QByteArrayView description, QByteArrayView name, QByteArrayView parent,
                     QByteArrayView driver);

    mutable QByteArray m_bytes;
    mutable std::vector<Entry> m_entries;
    // While set aside: the file, where the bytes start in it and how many,
    // where the entries start and how many.
    mutable std::shared_ptr<SetAsideFile> m_aside;
    qint64 m_asideAt = 0;
    qint64 m_asideSize = 0;
    qint64 m_asideEntriesAt = 0;
    size_t m_asideCount = 0;
    // The games that could not be kept as given, by position, with why.
    std::vector<std::pair<qsizetype, QString>> m_unkept;
};

// What the loops over every game ask for, inline.
inline QByteArrayView GameRecord::descriptionBytes() const {
    return m_table->descriptionBytes(m_table->entry(m_position));
}

inline bool GameRecord::hasParent() const {
    if (m_table->isSetAside())
        return m_table->asideEntry(m_position).hasParent;
    return m_table->entry(m_position).hasParent;
}

// Sorts the games by description, ignoring case under the default locale
// when caseInsensitive is set, ordinally otherwise, in the order of
// exchangeSort (sortedTextOrder).
void sortGames(GameTable& games, bool caseInsensitive);

// The largest buffer a table holds: positions in it take 31 bits. A file of
// a million of the longest records takes 1.2 GB.
inline constexpr qint64 kMostTableBytes = 0x7FFFFFFFLL;
