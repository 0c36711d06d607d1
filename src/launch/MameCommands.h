#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What MAME is given for each of its runs.

// Whether `name` (a set, parent or driver name) may go into a command line or a
// path: not empty, not starting with "-" (MAME would read an option), and only
// ASCII letters, digits, "_" and "-". Anything else could be read by the shell
// or leave the "ini" folder.
bool IsPlainMameName(const QString& name);

// Play's command line for the shell: strMameCommand + " " + name, and with
// options + " " + options. The options are the user's own and go in raw, so an
// empty answer leaves the line ending in one space. Nothing when the name is not
// plain.
std::optional<QString> PlayCommand(const QString& strMameCommand, const QString& name,
                                   const std::optional<QString>& options = std::nullopt);

// The program that the listing, audit and configuration runs start directly:
// the executable as an absolute path (a bare name lies in the working folder).
QString MameProgramFor(const QString& strMameExe);

// The arguments of those runs.
inline QStringList ListFullArguments() {
    return {QStringLiteral("-listfull")};
}
inline QStringList ListClonesArguments() {
    return {QStringLiteral("-listclones")};
}
inline QStringList ListSourceFileArguments() {
    return {QStringLiteral("-listsourcefile")};
}
inline QStringList VerifySetsArguments() {
    return {QStringLiteral("-verifysets"), QStringLiteral("*")};
}
inline QStringList CreateConfigArguments() {
    return {QStringLiteral("-createconfig")};
}
// A current MAME's machine listing, audit and configuration.
inline QStringList ListXmlArguments() {
    return {QStringLiteral("-listxml")};
}
inline QStringList VerifyRomsArguments() {
    return {QStringLiteral("-verifyroms"), QStringLiteral("*")};
}
inline QStringList ShowConfigArguments() {
    return {QStringLiteral("-showconfig")};
}
