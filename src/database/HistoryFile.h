// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <optional>

// MAME's history.xml: <entry> elements, each naming the sets it is about in
// <systems><system name="..."/></systems> (or software items, which are no
// sets) and holding their history in <text>. The file is tens of MB: it is
// indexed once, and only the one entry a game needs is read later.

// Where an entry stands in the file.
struct HistoryPlace {
    qint64 offset = 0;
    qint32 length = 0;
    bool operator==(const HistoryPlace&) const = default;
};

// Each set's entry, by set name; a set named by two entries keeps the first.
using HistoryIndex = QHash<QString, HistoryPlace>;

// Indexes the text of a history.xml. An entry that is not closed ends the
// index; an entry larger than 1 MB is left out.
HistoryIndex indexHistory(QByteArrayView xml);

// Indexes the file; nothing when it cannot be read or is larger than 512 MB.
std::optional<HistoryIndex> indexHistoryFile(const QString& path);

// The <text> of one entry (the bytes from <entry> to </entry>), its character
// references resolved, lines ending with LF and the blank lines around it
// removed; empty when it has none or is not well-formed.
QString historyEntryText(QByteArrayView entry);

// Reads the entry at `place` in the file and gives its text; nothing when
// the file cannot be read there or no entry stands there (the file changed).
std::optional<QString> readHistoryText(const QString& path, HistoryPlace place);
