// SPDX-License-Identifier: GPL-2.0-or-later
// The files of every machine that the machine listing's reader keeps beside
// its records: ROMs, disks, romof and devices, whatever the chunks.
#include "OutcomeText.h"
#include "QtPrinters.h"
#include "TestFolders.h"
#include "database/ListXmlImport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(COINSLOT_FIXTURES "/current-mame/") + name);
}

// Everything the listing holds, as text.
QStringList dump(const RomListing& listing) {
    QStringList lines;
    RomListing::Reader machine(listing);
    while (machine.next()) {
        QStringList devices;
        for (const QByteArrayView device : machine.devicesWithRoms())
            devices << QString::fromUtf8(device);
        lines << QString::fromUtf8(machine.name()) +
                     " romof=" + QString::fromUtf8(machine.romOf()) +
                     (machine.runnable() ? " runnable" : "") + " devices=" + devices.join(',');
        for (const RomEntry& rom : machine.roms()) {
            lines << QStringLiteral("  %1 %2 %3 %4 merge=%5 status=%6%7")
                         .arg(QString::fromUtf8(rom.name))
                         .arg(rom.size)
                         .arg(rom.crc ? QString::number(*rom.crc, 16) : "-",
                              rom.sha1.isEmpty() ? "-" : QString(rom.sha1.toByteArray().toHex()),
                              QString::fromUtf8(rom.merge))
                         .arg(int(rom.status))
                         .arg(rom.disk ? " disk" : "");
        }
    }
    EXPECT_EQ(machine.failure(), std::nullopt);
    EXPECT_EQ(lines.filter(QRegularExpression("^[^ ]")).size(), listing.machineCount());
    return lines;
}

RomListing read(const QByteArray& listing, qsizetype chunk, const QString& spool = {},
                std::vector<quint64>* digests = nullptr) {
    ListXmlReader reader({}, spool);
    for (qsizetype at = 0; at < listing.size(); at += chunk)
        reader.addData(listing.mid(at, chunk));
    EXPECT_EQ(failureText(reader.finish(false)), "");
    if (digests)
        *digests = reader.takeRomDigests();
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

    // Kept in a file, a block at a time: the same, over several blocks.
    const QTemporaryDir dir;
    const QString spool = dir.filePath("roms");
    QByteArray many = listing;
    many.chop(many.size() - many.lastIndexOf("</mame>"));
    const qsizetype first = listing.indexOf("<machine ");
    const QByteArray machines = listing.mid(first, many.size() - first);
    for (int copy = 0; copy < 12; ++copy)
        many += QByteArray(machines).replace("name=\"", "name=\"c" + QByteArray::number(copy));
    many += "</mame>\n";
    std::vector<quint64> inMemoryDigests, inFileDigests;
    const RomListing inMemory = read(many, 1 << 16, {}, &inMemoryDigests);
    const RomListing inFile = read(many, 1 << 16, spool, &inFileDigests);
    ASSERT_GT(QFileInfo(spool).size(), 3 * 256 * 1024);
    EXPECT_EQ(dump(inFile), dump(inMemory));
    EXPECT_EQ(inFile.contentHash(), inMemory.contentHash());
    EXPECT_EQ(inFileDigests, inMemoryDigests);

    // A spool that lost its end, or that cannot be made.
    QFile::resize(spool, QFileInfo(spool).size() - 10);
    RomListing::Reader cutShort(inFile);
    while (cutShort.next()) {
    }
    EXPECT_TRUE(cutShort.failure());
    const RomListing unmade = read(listing, 1 << 20, dir.filePath("none/roms"));
    EXPECT_EQ(dump(unmade), lines);
}

TEST(RomListing, ADigestTellsTheSameFilesUnderAnyNameOrOrder) {
    const auto digest = [](const QByteArray& roms) {
        const QByteArray text =
            "<mame><machine name=\"m\" sourcefile=\"x/m.cpp\"><description>M</description>" + roms +
            "</machine></mame>";
        std::vector<quint64> digests;
        (void)read(text, 1 << 20, {}, &digests);
        return digests.at(0);
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
    // Devices listed before the machine that uses them too, each once.
    const RomListing named = read("<mame><machine name=\"d\" isdevice=\"yes\"><description>D"
                                  "</description><rom name=\"d.bin\" size=\"1\"/></machine>"
                                  "<machine name=\"e\" isdevice=\"yes\"/>"
                                  "<machine name=\"m\" sourcefile=\"x/m.cpp\" romof=\"b\">"
                                  "<description>M</description><rom name=\"a&amp;b.bin\" "
                                  "merge=\"c&lt;d\" size=\"7\"/><device_ref name=\"e\"/>"
                                  "<device_ref name=\"d\"/><device_ref name=\"m\"/>"
                                  "<device_ref name=\"d\"/></machine></mame>",
                                  1 << 20);
    EXPECT_EQ(dump(named), QStringList({"d romof= devices=", "  d.bin 1 - - merge= status=0",
                                        "e romof= devices=", "m romof=b runnable devices=d,m",
                                        "  a&b.bin 7 - - merge=c<d status=0"}));
    EXPECT_NE(digest(a),
              digest(a + "<disk name=\"d\" sha1=\"0123456789abcdef0123456789abcdef01234567\"/>"));
}
