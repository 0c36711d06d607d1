// SPDX-License-Identifier: GPL-2.0-or-later
// The settings file: it never loads with more lines with "=" than a settings
// file may have, and settings that load are written, loaded and written
// again to the same bytes.

#include "FuzzCheck.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const Outcome<Settings> settings =
        readSettingsFile(fuzz::WriteBytes(QStringLiteral("coinslot.ini"), bytes));

    qsizetype settingLines = 0;
    for (const QByteArray& line : fuzz::RawLines(bytes))
        settingLines += line.contains('=') ? 1 : 0;
    FUZZ_CHECK(!settings.ok() || settingLines <= kMostSettingLines);
    if (!settings.ok())
        return 0;

    const QString written = fuzz::Path(QStringLiteral("written.ini"));
    FUZZ_CHECK(writeSettingsFile(written, settings.value()).ok());
    const Outcome<Settings> reread = readSettingsFile(written);
    FUZZ_CHECK(reread.ok());
    const QString again = fuzz::Path(QStringLiteral("again.ini"));
    FUZZ_CHECK(writeSettingsFile(again, reread.value()).ok());
    FUZZ_CHECK(fuzz::ReadBytes(written) == fuzz::ReadBytes(again));
    return 0;
}
