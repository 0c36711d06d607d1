// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// How the search suggestions read a text. Every form is folded: letter case
// folded and accents dropped ("É" reads "e").
//
// - folded: the text with each run of blanks made one space, trimmed;
//   punctuation stays ("Pac-Man" reads "pac-man").
// - compact: its letters and digits alone ("Rally-X" and "Rally X" both read
//   "rallyx").
// - words: the runs between blanks and the separators / ( ) [ ] { } , : ; & + |,
//   each with its other punctuation dropped ("Ms. Pac-Man/Pac-Mania" reads
//   "ms", "pacman", "pacmania").
namespace suggestiontext {

QString folded(QStringView text);
QString compact(QStringView text);
QStringList words(QStringView text);
// Appends the compact form of `text` to `out`.
void appendCompact(QStringView text, QString& out);
// Appends the words of `text` to `out`, each followed by one space.
void appendWords(QStringView text, QString& out);

// The titles a description gives, as written: the text before its first
// note in parentheses or brackets, each of its alternatives separated by
// " / ", and each of those before a subtitle after ": " or " - ".
// "Puzzle Bobble / Bust-A-Move (Neo-Geo)" gives "Puzzle Bobble / Bust-A-Move",
// "Puzzle Bobble" and "Bust-A-Move"; "Metal Slug - Super Vehicle-001" gives it
// and "Metal Slug". No title is empty; repeats are left out. The titles are
// parts of `description`.
QList<QStringView> titles(QStringView description);

// Whether `manufacturer` names a bootleg or a hack ("bootleg (Playmark)",
// "hack").
bool namesBootlegOrHack(QStringView manufacturer);

} // namespace suggestiontext
