// SPDX-License-Identifier: GPL-2.0-or-later
// The settings file: it loads exactly when it holds no more lines with "="
// than the table has slots, and a table that loads is written and loaded
// again unchanged.

#include "FuzzCheck.h"
#include "settings/SettingValue.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const Outcome<SettingsTable> table =
        readSettingsFile(fuzz::WriteBytes(QStringLiteral("coinslot.ini"), bytes));

    qsizetype settingLines = 0;
    for (const QByteArray& line : fuzz::RawLines(bytes))
        settingLines += line.contains('=') ? 1 : 0;
    FUZZ_CHECK(table.ok() == (settingLines <= SettingsTable::kSlots));
    if (!table.ok())
        return 0;
    FUZZ_CHECK(table.value().size() == settingLines);

    const QString again = fuzz::Path(QStringLiteral("again.ini"));
    FUZZ_CHECK(writeSettingsFile(again, table.value()).ok());
    const Outcome<SettingsTable> reread = readSettingsFile(again);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread.value().size() == table.value().size());
    for (int i = 0; i < table.value().size(); ++i) {
        const SettingPair& before = table.value()[i];
        const SettingPair& after = reread.value()[i];
        FUZZ_CHECK(after.key == before.key);
        FUZZ_CHECK(formatSettingValue(after.value) == formatSettingValue(before.value));
    }
    return 0;
}
