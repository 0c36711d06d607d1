#pragma once

#include <QString>
#include <optional>

// The command lines that run MAME. Each begins with `strMameCommand` and is put
// together by plain concatenation with single spaces; nothing is quoted, so the
// shell splits the line and sees its redirections.

// Whether `name` (a set, parent or driver name) may go into a command line or a
// path: not empty, not starting with "-" (MAME would read an option), and only
// ASCII letters, digits, "_" and "-". Anything else could be read by the shell
// or leave the "ini" folder.
bool IsPlainMameName(const QString& name);

// strMameCommand + " " + name; nothing when the name is not plain.
std::optional<QString> PlayCommand(const QString& strMameCommand, const QString& name);

// strMameCommand + " " + name + " " + options; nothing when the name is not
// plain. The options are the user's own and go in raw, so an empty answer
// leaves the line ending in one space.
std::optional<QString> PlayWithOptionsCommand(const QString& strMameCommand, const QString& name,
                                              const QString& options);

// The listings and the audit, with MAME's output redirected into `file`, which
// must be a path the shell takes as it is (see IsShellSafePath).
QString ListFullCommand(const QString& strMameCommand, const QString& file);
QString ListClonesCommand(const QString& strMameCommand, const QString& file);
QString ListSourceFileCommand(const QString& strMameCommand, const QString& file);
QString VerifySetsCommand(const QString& strMameCommand, const QString& file);

// Has MAME write its own ini file into the working folder.
QString CreateConfigCommand(const QString& strMameCommand);
