// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/MachineFacts.h"

#include <QByteArrayView>

// The tags of a -listxml machine's rest that hold its facts, read as raw
// bytes as MAME prints them (double-quoted attributes, a blank before each
// name): the text elements <year> and <manufacturer>, and the start tags of
// <disk>, <display>, <input>, <driver>, <feature> and <softwarelist>.
enum class FactTag : quint8 {
    None,
    Year,
    Manufacturer,
    Disk,
    Display,
    Input,
    Driver,
    Feature,
    SoftwareList
};

// The most bytes factTagAt() looks at: "<manufacturer>", "<softwarelist ".
inline constexpr qsizetype kLongestFactTag = 14;

// The fact tag that the `available` bytes at `p` (a "<") begin with. Most tags
// are <rom>, <chip>, <port>, <control>...: one look at the second byte
// passes them over.
FactTag factTagAt(const char* p, qsizetype available);

// The bytes that end the tag: a text element's end tag, else the end of its
// start tag.
QByteArrayView factTagEnd(FactTag tag);

// Reads the whole tag `bytes` (from its "<" to its end) into `facts`: the
// texts with their entities decoded; a feature goes to the imperfect or the
// unemulated ones by its status (or, without one, its overall status); only
// the first display gives the screen's type and rotation, every one counts.
void readFactTag(FactTag tag, QByteArrayView bytes, MachineFacts& facts);

// The text of an element or attribute as MAME writes it: UTF-8 with the five
// named entities and character references.
QString decodeXmlText(QByteArrayView raw);
