#pragma once

#include <QString>
#include <optional>

// Where a current MAME reads its ini files: the first folder of the "inipath"
// line that `mame -showconfig` prints (Debian's: "inipath  $HOME/.mame;/etc/mame").
// The value may be in double quotes (MAME quotes a value with blanks); its
// folders are separated by ";". "$HOME", "${HOME}" and a leading "~" are
// replaced by `home`; other variables are left as they are. Returns nothing
// when there is no inipath line or its first folder is empty.
std::optional<QString> firstIniFolder(const QString& showConfigOutput, const QString& home);
