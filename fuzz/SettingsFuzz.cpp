// The settings file: it loads exactly when it holds no more lines with "="
// than the table has slots, and a table that loads is written and loaded
// again unchanged.

#include "FuzzCheck.h"
#include "settings/SettingValue.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const std::optional<SettingsTable> table =
        ReadSettingsFile(fuzz::WriteBytes(QStringLiteral("coinslot.ini"), bytes));

    qsizetype settingLines = 0;
    for (const QByteArray& line : fuzz::RawLines(bytes))
        settingLines += line.contains('=') ? 1 : 0;
    FUZZ_CHECK(table.has_value() == (settingLines <= SettingsTable::kSlots));
    if (!table)
        return 0;
    FUZZ_CHECK(table->intSettingCount == settingLines);

    const QString again = fuzz::Path(QStringLiteral("again.ini"));
    FUZZ_CHECK(WriteSettingsFile(again, *table).isEmpty());
    const std::optional<SettingsTable> reread = ReadSettingsFile(again);
    FUZZ_CHECK(reread.has_value());
    FUZZ_CHECK(reread->intSettingCount == table->intSettingCount);
    for (int i = 0; i < table->intSettingCount; ++i) {
        const SettingPair& before = table->udtSettings[i];
        const SettingPair& after = reread->udtSettings[i];
        FUZZ_CHECK(after.strKey == before.strKey);
        FUZZ_CHECK(FormatSettingValue(after.varValue) == FormatSettingValue(before.varValue));
    }
    return 0;
}
