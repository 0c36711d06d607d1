// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/ListXmlImport.h"

#include "database/DatabaseFile.h"

#include "GamePrinters.h"
#include "OutcomeText.h"
#include "TestFolders.h"

#include <QBuffer>

namespace {

QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(COINSLOT_FIXTURES "/current-mame/") + name);
}

Outcome<GameTable> import(const QByteArray& document, bool caseInsensitive = false) {
    QBuffer buffer;
    buffer.setData(document);
    buffer.open(QIODevice::ReadOnly);
    return importListXml(buffer, caseInsensitive);
}

// A document in MAME's form around the given machine elements.
QByteArray document(const QByteArray& machines) {
    return "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" "
           "mameconfig=\"10\">\n" +
           machines + "</mame>\n";
}

QByteArray machine(const QByteArray& attributes, const QByteArray& description) {
    return "\t<machine " + attributes + ">\n\t\t<description>" + description +
           "</description>\n\t\t<year>1981</year>\n\t\t<rom name=\"a.bin\" size=\"2048\"/>\n"
           "\t</machine>\n";
}

// Every kind of fact among tags passed over; a device, and a machine with no facts.
const QByteArray kFacts = R"xml(<?xml version="1.0"?>
<mame build="0.251 (unknown)" debug="no" mameconfig="10">
	<machine name="mech" sourcefile="maker/mech.cpp" cloneof="mechp" ismechanical="yes">
		<description>Mech</description>
		<year>199?</year>
		<manufacturer>Bally &amp; Co. &#x263A;</manufacturer>
		<rom name="a" size="1"/>
		<disk name="d1" sha1="0" region="ide" optional="yes"/>
		<disk name="d2" sha1="1" region="ide"/>
		<device_ref name="dip"/>
		<display tag="screen" type="vector" rotate="270" width="1" height="1" refresh="60" />
		<display tag="lcd" type="lcd" rotate="0" refresh="60" />
		<input players="4" coins="3">
			<control type="joy" player="1"/>
		</input>
		<dipswitch name="Coinage" tag="DSW" mask="3"><dipvalue name="1C/1C" value="0"/></dipswitch>
		<driver status="preliminary" emulation="preliminary" savestate="unsupported"/>
		<feature type="sound" status="imperfect"/>
		<feature type="graphics" overall="imperfect"/>
		<feature type="protection" status="unemulated"/>
		<slot name="s"><slotoption name="drive" devname="d" default="yes"/></slot>
		<softwarelist tag="a" name="mech_cart" status="original"/>
		<softwarelist tag="b" name="mech_flop" status="compatible"/>
	</machine>
	<machine name="dev" sourcefile="devices/dev.cpp" isdevice="yes" runnable="no">
		<description>Device</description>
		<input players="9" coins="9"/>
	</machine>
	<machine name="bare" sourcefile="x/bare.cpp">
		<description>Bare</description>
	</machine>
</mame>
)xml";

} // namespace

// listxml-database.txt was checked by eye against MAME's own listings.
TEST(ListXmlImport, BuildsTheCapturedListingByteForByteWhateverTheChunksAndCountsAsItGoes) {
    const QByteArray listing = fixture("listxml.xml");
    const GameTable whole = valueOf(import(listing));
    QTemporaryDir dir;
    ASSERT_EQ(failureText(writeDatabase(dir.filePath("coinslot.dat"), whole)), "");
    EXPECT_EQ(readAll(dir.filePath("coinslot.dat")), fixture("listxml-database.txt"));
    // Pieces of one byte cut the document at every position at once.
    for (const qsizetype size : {1, 2, 3, 13, 4093}) {
        ListXmlReader reader;
        for (qsizetype at = 0; at < listing.size(); at += size) {
            reader.addData(listing.mid(at, size));
            if (at < listing.size() / 2 && at + size >= listing.size() / 2) {
                EXPECT_GT(reader.machinesRead(), 0) << "none counted in the first half";
            }
        }
        EXPECT_EQ(reader.machinesRead(), std::ssize(whole));
        EXPECT_EQ(valueOf(reader.finish(false)), whole) << "chunks of " << size;
    }
}

TEST(ListXmlImport, TakesTheDriverFromTheSourceFileSortsAndReadsMachinesWhateverTheirLayout) {
    const QByteArray machines = machine(R"(name="b" sourcefile="capcom\cps1.cpp")", "beta") +
                                machine(R"(name="a" sourcefile="a.b.cpp" cloneof="b")", "Alpha") +
                                machine(R"(name="c" sourcefile="x/y/c" isbios="no")", "Charlie");
    EXPECT_EQ(valueOf(import(document(machines))), (GameTable{{"Alpha", "a", "b", "a.b"},
                                                              {"Charlie", "c", "", "c"},
                                                              {"beta", "b", "", "cps1"}}));
    EXPECT_EQ(valueOf(import(document(machines), true)).at(1).name(), "b");
    // What follows a description is passed over up to the machine's end tag.
    const GameTable games = valueOf(import(document(
        "<machine name=\"a\" sourcefile=\"a.cpp\"><year>1980</year><description>A</description>"
        "<slot name=\"s\"><description>not this</description></slot></machine >\n"
        "<machine name=\"b\" sourcefile=\"b.cpp\"><description>B</description ><rom/></machine>"
        "<machine name=\"c\" sourcefile=\"c.cpp\"><description><![CDATA[C</description>]]>"
        "</description><softwarelist description=\"&lt;/machine\"/></machine>"
        "<machine name=\"d\" sourcefile=\"d.cpp\" isdevice=\"yes\"><description>D</description>"
        "<rom name=\"&lt;/description>\"/></machine>"
        "<machine name=\"e\" sourcefile=\"e.cpp\"><description>E</description></machine>")));
    EXPECT_EQ(games, (GameTable{{"A", "a", "", "a"},
                                {"B", "b", "", "b"},
                                {"C</description>", "c", "", "c"},
                                {"E", "e", "", "e"}}));
}

TEST(ListXmlImport, RefusesACutOffOrBrokenDocumentFieldsLongerThanMameMakesAndOutsideEntities) {
    const QByteArray listing = fixture("listxml.xml");
    const qsizetype closing = listing.lastIndexOf("</mame>");
    // Cut anywhere before the closing tag is complete: MAME did not finish.
    for (const qsizetype cut : {qsizetype(10), listing.size() / 2, closing, closing + 6})
        EXPECT_TRUE(
            failsWith(import(listing.left(cut)), "ends before its closing </mame> tag, so MAME"));
    EXPECT_EQ(failureText(import(listing.left(closing + 7))), "");
    EXPECT_TRUE(failsWith(import(""), "MAME's machine listing (-listxml) is empty."));
    EXPECT_TRUE(failsWith(import(document("<machine name=\"a\"></game>")), "not well-formed"));
    EXPECT_TRUE(
        failsWith(import(document(machine("name=\"a\" sourcefile=\"a\"", "&x;"))), "well-formed"));
    EXPECT_TRUE(
        failsWith(import("<softwarelists></softwarelists>"), "starts with <softwarelists> where"));
    EXPECT_TRUE(failsWith(import(document(machine("isdevice=\"yes\"", "D"))),
                          "no machine that can be run"));
    // A record that the database file would not give back as it is.
    EXPECT_TRUE(failsWith(import(document(machine("name=\"ok\" sourcefile=\"ok.cpp\"", "Fine") +
                                          machine("name=\"nodrv\"", "No driver"))),
                          "gives the machine \"nodrv\" an empty driver, which the database"));
    EXPECT_TRUE(failsWith(import(document(machine("sourcefile=\"x.cpp\"", "Nameless"))),
                          "gives machine number 1 of the listing an empty short name"));
    const QByteArray name64(64, 'n'), name65(65, 'n');
    const QByteArray e512 = QString(512, QChar(0xE9)).toUtf8(); // 1,024 bytes
    const QByteArray d = " sourcefile=\"d.cpp\"";
    // The attributes, the description, and the fault (nothing: the machine is kept).
    const std::tuple<QByteArray, QByteArray, const char*> cases[] = {
        {"name=\"" + name64 + "\" cloneof=\"" + name64 + "\"" + d, e512, nullptr},
        {"name=\"" + name65 + "\"" + d, "A", "machine number 1 of the listing a short name longer"},
        {"name=\"a\" cloneof=\"" + name65 + "\"" + d, "A", "a parent name longer than 64 bytes"},
        {"name=\"a\"" + d, e512 + "e", "the machine \"a\" a description longer than 1,024 bytes"},
        {"name=\"a\" sourcefile=\"" + QByteArray(65, 'd') + ".cpp\"", "A",
         "a driver name longer than 64 bytes"},
    };
    for (const auto& [attributes, description, fault] : cases) {
        const QByteArray xml = document(machine(attributes, description));
        ListXmlReader reader; // in pieces that cut the long fields
        for (qsizetype at = 0; at < xml.size(); at += 7)
            reader.addData(xml.mid(at, 7));
        const Outcome<GameTable> read = reader.finish(false);
        EXPECT_EQ(failureText(read).contains(fault ? fault : "<none>"), bool(fault))
            << failureText(read);
    }
    const QByteArray entity = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ENTITY x SYSTEM "
                              "\"x.txt\">\n]>\n<mame>" +
                              machine("name=\"a\"" + d, "A &x; B") + "</mame>\n";
    EXPECT_TRUE(failsWith(import(entity), "declares the outside entity \"x\""));
}

TEST(ListXmlImport, OnlyBlanksAndClosedCommentsMayFollowTheRootWhereverTheOutputIsCut) {
    const std::map<bool, std::vector<const char*>> tails = {
        {true, {"\n", "\n<!-- a - b -->\n<!---->"}},
        {false,
         {"\n<machine name=\"b\"", "\n<machine name=\"b\"></machine>", "<!-- open",
          "<!-- a -- b -->", "<!-- a --->", "<?pi x?>", "<!-", "x"}}};
    for (const auto& [ok, afters] : tails)
        for (const char* after : afters) {
            const QByteArray xml =
                document(machine("name=\"a\" sourcefile=\"a.cpp\"", "A")).chopped(1) + after;
            for (qsizetype cut = 0; cut <= xml.size(); ++cut) {
                ListXmlReader reader;
                reader.addData(xml.left(cut));
                reader.addData(xml.mid(cut));
                const Outcome<GameTable> read = reader.finish(false);
                ASSERT_EQ(read.ok(), ok) << after << " cut at " << cut << ": " << read.failure();
                if (!ok) {
                    EXPECT_TRUE(failsWith(read, "goes on after its closing </mame> tag"));
                }
            }
        }
}

// The machine facts that -listxml gives beside each record.
TEST(MachineFacts, AreReadFromTheMachinesRestWhereverTheOutputIsCut) {
    const MachineFacts mech{.name = "mech",
                            .year = "199?",
                            .manufacturer = QString::fromUtf8("Bally & Co. \u263A"),
                            .status = DriverStatus::Preliminary,
                            .imperfectFeatures = "sound graphics",
                            .unemulatedFeatures = "protection",
                            .cloneOf = "mechp",
                            .sourceFile = "maker/mech.cpp",
                            .softwareLists = "mech_cart mech_flop",
                            .screenType = "vector",
                            .screenRotation = 270,
                            .screens = 2,
                            .players = 4,
                            .coins = 3,
                            .mechanical = true,
                            .needsDisk = true};
    const MachineFacts bare{.name = "bare", .sourceFile = "x/bare.cpp"};
    // MAME's order, devices left out, whatever piece of a tag a chunk ends in.
    for (const qsizetype chunk : {1, 2, 3, 5, 13, 64, 1 << 20}) {
        ListXmlReader reader;
        for (qsizetype at = 0; at < kFacts.size(); at += chunk)
            reader.addData(kFacts.mid(at, chunk));
        EXPECT_EQ(failureText(reader.finish(false)), "") << chunk;
        EXPECT_EQ(reader.takeFacts(), MachineFactsTable({mech, bare})) << chunk;
    }
}
