// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What MAME is given for each of its runs.

// Whether `name` (a set, parent or driver name) may go into a command line or a
// path: not empty, not starting with "-" (MAME would read an option), and only
// ASCII letters, digits, "_" and "-". Anything else could be read by the shell
// or leave the "ini" folder.
bool isPlainMameName(const QString& name);

// Play's command line for the shell: playCommandPrefix + " " + name, and with
// options + " " + options. The options are the user's own and go in raw, so an
// empty answer leaves the line ending in one space. Nothing when the name is not
// plain.
std::optional<QString> playCommand(const QString& playCommandPrefix, const QString& name,
                                   const std::optional<QString>& options = std::nullopt);

// The program that the listing, audit and configuration runs start directly:
// the executable as saved, a bare name as "./name" (it lies in the working
// folder, where those runs start unless they name another).
QString mameProgramFor(const QString& mameExecutable);

// The arguments of those runs.
inline QStringList listFullArguments() {
    return {QStringLiteral("-listfull")};
}
inline QStringList listClonesArguments() {
    return {QStringLiteral("-listclones")};
}
inline QStringList listSourceFileArguments() {
    return {QStringLiteral("-listsourcefile")};
}
inline QStringList verifySetsArguments() {
    return {QStringLiteral("-verifysets"), QStringLiteral("*")};
}
inline QStringList createConfigArguments() {
    return {QStringLiteral("-createconfig")};
}
// A current MAME's machine listing, audit and configuration.
inline QStringList listXmlArguments() {
    return {QStringLiteral("-listxml")};
}
inline QStringList verifyRomsArguments() {
    return {QStringLiteral("-verifyroms"), QStringLiteral("*")};
}
inline QStringList showConfigArguments() {
    return {QStringLiteral("-showconfig")};
}
