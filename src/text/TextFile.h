#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Line-oriented text files in the system's 8-bit code page.

// Reads every line of `path`. A line ends at CR LF, at CR or at LF; the end
// marker is not part of the line, and one line end after the last line adds
// no empty line. Returns nothing when the file cannot be opened or read.
std::optional<QStringList> ReadLines(const QString& path);

// Splits text that has already been read into lines, by the rules above.
QStringList SplitLines(const QByteArray& bytes);

// Writes `lines`, each ended by CR LF, to a file beside `path` and then
// renames it over `path`, so the old file stays whole if anything fails.
// Returns an empty text on success, otherwise what went wrong.
QString WriteLinesAtomically(const QString& path, const QStringList& lines);
