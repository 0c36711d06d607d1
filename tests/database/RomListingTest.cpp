// SPDX-License-Identifier: GPL-2.0-or-later
// The files of every machine that the machine listing's reader keeps beside
// its records: ROMs, disks, romof and devices, whatever the chunks.
#include "OutcomeText.h"
#include "QtPrinters.h"
#include "TestFolders.h"
#include "database/ListXmlImport.h"

#include <QRegularExpression>

namespace {

QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(COINSLOT_FIXTURES "/current-mame/") + name);
}

// Everything the listing holds, as text.
QStringList dump(const RomListing& listing) {
    QStringList lines;
    for (qsizetype m = 0; m < listing.machineCount(); ++m) {
        QStringList devices;
        for (const QByteArrayView device : listing.devicesWithRoms(m))
            devices << QString::fromUtf8(device);
        lines << QString::fromUtf8(listing.name(m)) +
                     " romof=" + QString::fromUtf8(listing.romOf(m)) +
                     (listing.runnable(m) ? " runnable" : "") + " devices=" + devices.join(',');
        listing.forEachRom(m, [&lines](const RomEntry& rom) {
            lines << QStringLiteral("  %1 %2 %3 %4 merge=%5 status=%6%7")
                         .arg(QString::fromUtf8(rom.name))
                         .arg(rom.size)
                         .arg(rom.crc ? QString::number(*rom.crc, 16) : "-",
                              rom.sha1.isEmpty() ? "-" : QString(rom.sha1.toByteArray().toHex()),
                              QString::fromUtf8(rom.merge))
                         .arg(int(rom.status))
                         .arg(rom.disk ? " disk" : "");
        });
    }
    return lines;
}

RomListing read(const QByteArray& listing, qsizetype chunk) {
    ListXmlReader reader;
    for (qsizetype at = 0; at < listing.size(); at += chunk)
        reader.addData(listing.mid(at, chunk));
    EXPECT_EQ(failureText(reader.finish(false)), "");
    return reader.takeRomListing();
}

} // namespace

TEST(RomListing, KeepsEveryMachinesFilesWhateverTheChunks) {
    const QByteArray listing = fixture("listxml.xml");
    const RomListing whole = read(listing, 1 << 20);
    const QStringList lines = dump(whole);
    EXPECT_EQ(whole.machineCount(), 304);
    EXPECT_EQ(whole.romCount(), listing.count("<rom ") + listing.count("<disk "));
    EXPECT_TRUE(lines.contains("puckman romof= runnable devices=")) << lines.mid(0, 5).join('\n');
    EXPECT_TRUE(lines.contains("  pm1_prg1.6e 2048 f36e88ab "
                               "813cecf44bf5464b1aed64b36f5047e4c79ba176 merge= status=0"));
    EXPECT_TRUE(lines.contains("puckmanb romof=puckman runnable devices="));
    EXPECT_TRUE(lines.contains("  82s123.7f 32 2fc650bd 8d0268dee78e47c712202b0ec4f1f51109b1f2a5 "
                               "merge=pm1-1.7f status=0"));
    EXPECT_TRUE(lines.contains("  87c52.mcu 65536 - - merge= status=2")); // never dumped
    // Devices and BIOS sets are kept, not run; a machine's devices, each
    // once, only those with files.
    EXPECT_TRUE(lines.contains("neogeo romof= devices="));
    EXPECT_TRUE(lines.contains("namco51 romof= devices=")) << "a device with a ROM of its own";
    const qsizetype galaga = lines.indexOf(QRegularExpression("^galaga romof.*"));
    ASSERT_GE(galaga, 0);
    EXPECT_EQ(lines[galaga], "galaga romof= runnable devices=namco51,namco54");

    for (const qsizetype chunk : {1, 3, 13}) {
        const RomListing cut = read(listing, chunk);
        EXPECT_EQ(dump(cut), lines) << chunk;
        EXPECT_EQ(cut.contentHash(), whole.contentHash()) << chunk;
    }
}

TEST(RomListing, ADigestTellsTheSameFilesUnderAnyNameOrOrder) {
    const auto digest = [](const QByteArray& roms) {
        const QByteArray text =
            "<mame><machine name=\"m\" sourcefile=\"x/m.cpp\"><description>M</description>" + roms +
            "</machine></mame>";
        const RomListing listing = read(text, 1 << 20);
        return listing.romDigest(0);
    };
    const QByteArray a = "<rom name=\"a\" size=\"16\" crc=\"0000000a\"/>";
    const QByteArray b = "<rom name=\"b\" size=\"32\" crc=\"0000000b\"/>";
    EXPECT_EQ(digest(a + b), digest(b + a));
    EXPECT_EQ(digest(a + b), digest("<rom name=\"x\" size=\"16\" crc=\"0000000a\"/>" + b));
    EXPECT_NE(digest(a + b), digest("<rom name=\"a\" size=\"17\" crc=\"0000000a\"/>" + b));
    EXPECT_NE(digest(a + b), digest(a));
    EXPECT_EQ(digest(a), digest(a + "<rom name=\"n\" size=\"64\" status=\"nodump\"/>"));
    EXPECT_EQ(digest(""), 0u);
    // Names as MAME writes them, entities and all.
    const RomListing named = read("<mame><machine name=\"m\" sourcefile=\"x/m.cpp\" romof=\"b\">"
                                  "<description>M</description><rom name=\"a&amp;b.bin\" "
                                  "merge=\"c&lt;d\" size=\"7\"/><device_ref name=\"m\"/>"
                                  "</machine></mame>",
                                  1 << 20);
    EXPECT_EQ(dump(named),
              QStringList({"m romof=b runnable devices=m", "  a&b.bin 7 - - merge=c<d status=0"}));
    EXPECT_NE(digest(a),
              digest(a + "<disk name=\"d\" sha1=\"0123456789abcdef0123456789abcdef01234567\"/>"));
}
