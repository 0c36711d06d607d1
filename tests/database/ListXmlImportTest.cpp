#include "database/ListXmlImport.h"

#include "database/DatabaseFile.h"
#include "text/Compare.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

const QString kFixtures = QStringLiteral(COINSLOT_FIXTURES "/current-mame/");

QByteArray Fixture(const char* name) {
    QFile file(kFixtures + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

ListingImport Import(const QByteArray& document, bool caseInsensitive = false) {
    QBuffer buffer;
    buffer.setData(document);
    buffer.open(QIODevice::ReadOnly);
    return importListXml(buffer, caseInsensitive);
}

// A document in MAME's form around the given machine elements.
QByteArray Document(const QByteArray& machines) {
    return "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" "
           "mameconfig=\"10\">\n" +
           machines + "</mame>\n";
}

QByteArray Machine(const QByteArray& attributes, const QByteArray& description) {
    return "\t<machine " + attributes + ">\n\t\t<description>" + description +
           "</description>\n\t\t<year>1981</year>\n\t\t<rom name=\"a.bin\" size=\"2048\"/>\n"
           "\t</machine>\n";
}

QHash<QString, GameRecord> ByName(const GameTable& games) {
    QHash<QString, GameRecord> map;
    for (const GameRecord& g : games)
        map.insert(g.name, g);
    return map;
}

} // namespace

// The expected database file (listxml-database.txt) was written once from the
// fixture and checked by eye against MAME's own listings.
TEST(ListXmlImport, BuildsTheCapturedListingByteForByte) {
    const ListingImport import = Import(Fixture("listxml.xml"));
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();

    QTemporaryDir dir;
    const QString path = dir.filePath("coinslot.dat");
    ASSERT_EQ(writeDatabase(path, import.games), "");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), Fixture("listxml-database.txt"));

    const QHash<QString, GameRecord> games = ByName(import.games);
    EXPECT_EQ(games.value("pacman"),
              (GameRecord{"Pac-Man (Midway)", "pacman", "puckman", "pacman"}));
    EXPECT_EQ(games.value("puckman").parent, "");
    EXPECT_EQ(games.value("sf2").driver, "cps1");
    EXPECT_EQ(games.value("3in1semi").description,
              "New HyperMan (3-in-1 with Cookie & Bibi & HyperMan) (set 1)");
    EXPECT_EQ(games.value("cc10").description, "Chess Challenger \"10\" (model CCX, rev. B)");
    EXPECT_EQ(games.value("attache").description, QString::fromUtf8("Attach\xc3\xa9"));
    EXPECT_EQ(games.value("zzpipe").description, "Hand-made / not from MAME");
    // Devices (with a "|" of their own), BIOS sets and non-runnable machines
    // are left out.
    for (const char* name : {"dsp16", "namco56", "neogeo", "pgm", "z80"})
        EXPECT_FALSE(games.contains(name)) << name;
}

TEST(ListXmlImport, ReadsTheSameWhateverTheChunksAndCountsAsItGoes) {
    const QByteArray document = Fixture("listxml.xml");
    const ListingImport whole = Import(document);
    ASSERT_TRUE(whole.ok());
    for (const qsizetype size : {1, 7, 4096}) {
        ListXmlReader reader;
        qsizetype seen = 0;
        bool grew = false;
        for (qsizetype at = 0; at < document.size(); at += size) {
            reader.addData(document.mid(at, size));
            EXPECT_GE(reader.machinesRead(), seen);
            grew = grew || (reader.machinesRead() > 0 && at + size < document.size() / 2);
            seen = reader.machinesRead();
        }
        EXPECT_TRUE(grew) << "no machine counted in the first half, chunks of " << size;
        EXPECT_EQ(seen, std::ssize(whole.games));
        EXPECT_EQ(reader.finish(false).games, whole.games) << "chunks of " << size;
    }
}

TEST(ListXmlImport, SortsByDescriptionIgnoringCaseWhenAsked) {
    const QByteArray document = Document(Machine(R"(name="b" sourcefile="x/b.cpp")", "beta") +
                                         Machine(R"(name="a" sourcefile="x/a.cpp")", "Alpha") +
                                         Machine(R"(name="c" sourcefile="x/c.cpp")", "Charlie"));
    const auto names = [](const GameTable& games) {
        QStringList list;
        for (const GameRecord& g : games)
            list << g.name;
        return list;
    };
    EXPECT_EQ(names(Import(document, false).games), QStringList({"a", "c", "b"}));
    EXPECT_EQ(names(Import(document, true).games), QStringList({"a", "b", "c"}));
}

TEST(ListXmlImport, KeepsOnlyMachinesThatCanBeRun) {
    const ListingImport import = Import(Document(
        Machine(R"(name="dev" sourcefile="devices/z80.cpp" isdevice="yes" runnable="no")", "D") +
        Machine(R"(name="bios" sourcefile="neogeo/neogeo.cpp" isbios="yes")", "B") +
        Machine(R"(name="mech" sourcefile="x/mech.cpp" runnable="no")", "M") +
        Machine(R"(name="game" sourcefile="x/game.cpp" isbios="no" isdevice="no" runnable="yes")",
                "G") +
        Machine(R"(name="clone" sourcefile="x.cpp" cloneof="game" romof="game")", "C")));
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();
    EXPECT_EQ(import.games, (GameTable{{"C", "clone", "game", "x"}, {"G", "game", "", "game"}}));
}

// What follows a machine's description is passed over unread up to the
// machine's end tag; the forms around it must not throw the reading off.
TEST(ListXmlImport, ReadsMachinesWhateverTheirLayout) {
    const ListingImport import = Import(Document(
        "<machine name=\"a\" sourcefile=\"a.cpp\"><year>1980</year><description>A</description>"
        "<slot name=\"s\"><description>not this</description></slot></machine >\n"
        "<machine name=\"b\" sourcefile=\"b.cpp\"><description>B</description ><rom/></machine>"
        "<machine name=\"c\" sourcefile=\"c.cpp\"><description><![CDATA[C</description>]]>"
        "</description><softwarelist description=\"&lt;/machine\"/></machine>"
        "<machine name=\"d\" sourcefile=\"d.cpp\" isdevice=\"yes\"><description>D</description>"
        "<rom name=\"&lt;/description>\"/></machine>"
        "<machine name=\"e\" sourcefile=\"e.cpp\"><description>E</description></machine>"));
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();
    EXPECT_EQ(import.games, (GameTable{{"A", "a", "", "a"},
                                       {"B", "b", "", "b"},
                                       {"C</description>", "c", "", "c"},
                                       {"E", "e", "", "e"}}));
}

TEST(ListXmlImport, DecodesEntitiesAndTurnsABarIntoASlash) {
    const ListingImport import = Import(Document(Machine(
        R"(name="e" sourcefile="a/b/e.cpp")", "Tom &amp; Jerry &lt;&quot;x&quot;&gt; &#65;&#x42; "
                                              "caf&#233; &apos;9&apos; a|b<![CDATA[ & ]]>")));
    ASSERT_TRUE(import.ok()) << import.failure.toStdString();
    ASSERT_EQ(import.games.size(), 1u);
    EXPECT_EQ(import.games[0].description,
              QString::fromUtf8("Tom & Jerry <\"x\"> AB caf\xc3\xa9 '9' a/b & "));
}

TEST(ListXmlImport, RefusesACutOffOrBrokenDocument) {
    const QByteArray document = Fixture("listxml.xml");
    const qsizetype closing = document.lastIndexOf("</mame>");
    ASSERT_GT(closing, 0);
    const auto failure = [](const QByteArray& text) { return Import(text).failure; };

    // Cut anywhere before the closing tag is complete: MAME did not finish.
    for (const qsizetype cut : {qsizetype(10), document.size() / 2, closing, closing + 6}) {
        const QString message = failure(document.left(cut));
        EXPECT_TRUE(message.contains("closing </mame> tag"))
            << cut << ": " << message.toStdString();
    }
    EXPECT_EQ(failure(document.left(closing + 7)), "");
    EXPECT_EQ(failure(document + "\n  \n"), "");

    EXPECT_EQ(failure(""), "MAME's machine listing (-listxml) is empty.");
    EXPECT_TRUE(failure(Document("<machine name=\"a\"></game>")).contains("not well-formed"));
    // After the closing tag only blanks may follow, however the output arrives.
    const QString trailingContent =
        "MAME's machine listing (-listxml) goes on after its closing </mame> tag.";
    for (const QByteArray& tail :
         {QByteArray(" junk"), QByteArray("<!-- x -->"), QByteArray("<mame>")}) {
        EXPECT_EQ(failure(document + tail), trailingContent) << tail.constData();
        ListXmlReader reader;
        reader.addData(document);
        reader.addData(tail);
        EXPECT_EQ(reader.finish(false).failure, trailingContent) << tail.constData();
    }
    EXPECT_TRUE(failure(Document(Machine(R"(name="a" sourcefile="a.cpp")", "&bogus;")))
                    .contains("not well-formed"));
    EXPECT_TRUE(failure("<softwarelists></softwarelists>").contains("<softwarelists>"));
    EXPECT_EQ(failure(Document(Machine(R"(name="d" sourcefile="d.cpp" isdevice="yes")", "D"))),
              "MAME's machine listing (-listxml) holds no machine that can be run.");
}

TEST(ListXmlImport, RefusesARecordTheDatabaseCouldNotReadBack) {
    const auto failure = [](const QByteArray& attributes, const QByteArray& description) {
        return Import(Document(Machine(R"(name="ok" sourcefile="ok.cpp")", "Fine") +
                               Machine(attributes, description)))
            .failure;
    };
    EXPECT_EQ(failure(R"(name="nodrv")", "No driver"),
              "MAME's machine listing (-listxml) gives the machine \"nodrv\" an empty driver, "
              "which the database cannot hold.");
    EXPECT_TRUE(
        failure(R"(sourcefile="x.cpp")", "Nameless").contains("machine number 2 of the listing"));
}

TEST(ListXmlImport, RefusesMoreMachinesThanTheTableHolds) {
    // Devices do not count against the limit; one runnable machine too many does.
    ListXmlReader reader;
    reader.addData("<mame>");
    reader.addData(Machine(R"(name="dev" sourcefile="d.cpp" isdevice="yes")", "Device"));
    QByteArray batch;
    for (int i = 0; i <= kMaxGames; ++i) {
        batch += "<machine name=\"m" + QByteArray::number(i) +
                 "\" sourcefile=\"d.cpp\"><description>M</description></machine>";
        if (batch.size() > (1 << 16) || i == kMaxGames) {
            reader.addData(batch);
            batch.clear();
        }
    }
    reader.addData("</mame>");
    EXPECT_EQ(reader.finish(false).failure,
              QString("MAME's machine listing (-listxml) holds more than %1 machines that can be "
                      "run, more than the database can hold.")
                  .arg(QLocale(QLocale::English).toString(kMaxGames)));
}
