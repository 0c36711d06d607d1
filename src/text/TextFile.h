// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Outcome.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Line-oriented text files in the system's 8-bit code page, which Qt takes to
// be UTF-8 on Unix. Text is kept byte for byte: a line read and written back
// unchanged gives the same bytes, whatever they are. Nothing is skipped, not
// even a byte-order mark at the start of the file, which belongs to the first
// line like any other character.

// Decodes UTF-8 without loss. Every byte that is not part of a well-formed
// UTF-8 sequence (stray continuation bytes, cut-off or overlong sequences,
// encoded surrogates, values past U+10FFFF) becomes the lone surrogate
// U+DC00 + byte (U+DC80..U+DCFF). U+FEFF is kept wherever it stands.
QString decodeText(QByteArrayView bytes);

// Decodes `bytes` as decodeText does into `out`, which has room for
// bytes.size() code units (never fewer are needed); returns how many it
// wrote. Decoding a text in pieces gives what decoding it whole gives when
// each piece but the last ends with an ASCII byte, which no sequence spans.
qsizetype decodeTextInto(QByteArrayView bytes, char16_t* out);

// The inverse of decodeText: UTF-8, with a lone U+DC80..U+DCFF written as the
// byte it stands for, so encodeText(decodeText(b)) == b for any bytes b. Any
// other lone surrogate, which decodeText never produces, is written as U+FFFD.
QByteArray encodeText(QStringView text);

// Whether decodeText(encodeText(text)) == text. Only text that holds a
// surrogate can fail: half of a character cut in two, or lone U+DC80..U+DCFF
// that come together into a well-formed sequence.
bool readsBackAsWritten(QStringView text);

// The paths below reach the system as their own bytes (systemPath), and a
// relative one stays relative: a folder whose name is not UTF-8 is found again.

// Reads the whole of `path`; nothing when it cannot be opened or read.
std::optional<QByteArray> readFileBytes(const QString& path);

// Reads every line of `path`. A line ends at CR LF, at CR or at LF; the end
// marker is not part of the line, and one line end after the last line adds
// no empty line. Returns nothing when the file cannot be opened or read.
std::optional<QStringList> readLines(const QString& path);

// Splits text that has already been read into lines, by the rules above.
QStringList splitLines(const QByteArray& bytes);

// Appends the bytes encodeText gives for `text` to `out`.
void appendEncodedText(QByteArray& out, QStringView text);

// What a file is to hold, a piece at a time: each call appends the next piece
// to `out` and tells whether more is to come.
using ByteSource = std::function<bool(QByteArray& out)>;

// The pieces of `lines`, each ended by CR LF; `lines` must outlive the source.
ByteSource linesSource(const QStringList& lines);

// Writes what `source` gives to a new file beside `path`, forces it to the
// disk, renames it over `path` and forces the folder to the disk, so that
// `path` holds either the old or the whole new content, also after a power
// cut. A new file takes the permissions of the file it replaces; when `path`
// is a symbolic link, the file it points to is replaced and the link kept. On
// any failure the old file stays untouched and the file beside it is removed,
// and the failure gives the system's reason (such as "No space left on
// device"). Once the rename is done the write stands: a folder that cannot be
// synced then is told on standard error, not as a failure.
Outcome<Done> writeFileAtomically(const QString& path, const ByteSource& source);

// Writes `lines`, each ended by CR LF, as writeFileAtomically does.
Outcome<Done> writeLinesAtomically(const QString& path, const QStringList& lines);

// Removes the files that writeLinesAtomically left beside `path` when the
// program was killed during a write: regular files (not links) in the same
// folder named `<path's name>.` and eight hex digits, last changed before
// `before`. Returns how many were removed.
int removeLeftoverWriteFiles(const QString& path, const QDateTime& before);

// Moves the file `path` aside within its folder as `<name>.broken-<date-time>`
// (with "-2", "-3"... when that name is taken), never replacing anything.
// Gives the new path, or why the file could not be moved.
Outcome<QString> moveAside(const QString& path, const QDateTime& when);

// An ordinary file of that name exists; an empty name never does.
bool fileExists(const QString& name);
