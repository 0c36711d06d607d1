// The settings file: it loads exactly when it holds no more lines with "="
// than the table has slots, and a table that loads is written and loaded
// again unchanged.

#include "FuzzCheck.h"
#include "settings/SettingValue.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::Input(data, size);
    const std::optional<SettingsTable> table =
        readSettingsFile(fuzz::WriteBytes(QStringLiteral("coinslot.ini"), bytes));

    qsizetype settingLines = 0;
    for (const QByteArray& line : fuzz::RawLines(bytes))
        settingLines += line.contains('=') ? 1 : 0;
    FUZZ_CHECK(table.has_value() == (settingLines <= SettingsTable::kSlots));
    if (!table)
        return 0;
    FUZZ_CHECK(table->count == settingLines);

    const QString again = fuzz::Path(QStringLiteral("again.ini"));
    FUZZ_CHECK(writeSettingsFile(again, *table).isEmpty());
    const std::optional<SettingsTable> reread = readSettingsFile(again);
    FUZZ_CHECK(reread.has_value());
    FUZZ_CHECK(reread->count == table->count);
    for (int i = 0; i < table->count; ++i) {
        const SettingPair& before = table->pairs[i];
        const SettingPair& after = reread->pairs[i];
        FUZZ_CHECK(after.key == before.key);
        FUZZ_CHECK(formatSettingValue(after.value) == formatSettingValue(before.value));
    }
    return 0;
}
