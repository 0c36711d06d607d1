// The machine facts that -listxml gives beside each record.
#include "database/ListXmlImport.h"

#include "OutcomeText.h"
#include "TestFolders.h"

namespace {

// Every kind of fact, between tags the reader passes over, and a device and a
// machine with none around it.
const QByteArray kDocument = R"xml(<?xml version="1.0"?>
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

MachineFactsTable factsOf(const QByteArray& document, qsizetype chunk) {
    ListXmlReader reader;
    for (qsizetype at = 0; at < document.size(); at += chunk)
        reader.addData(document.mid(at, chunk));
    EXPECT_EQ(FailureText(reader.finish(false)), "") << chunk;
    return reader.takeFacts();
}

} // namespace

TEST(MachineFacts, AreReadFromTheMachinesRestWhereverTheOutputIsCut) {
    MachineFacts mech;
    mech.name = "mech";
    mech.year = "199?";
    mech.manufacturer = QString::fromUtf8("Bally & Co. \u263A");
    mech.status = DriverStatus::Preliminary;
    mech.imperfectFeatures = "sound graphics";
    mech.unemulatedFeatures = "protection";
    mech.cloneOf = "mechp";
    mech.sourceFile = "maker/mech.cpp";
    mech.softwareLists = "mech_cart mech_flop";
    mech.screenType = "vector";
    mech.screenRotation = 270;
    mech.screens = 2;
    mech.players = 4;
    mech.coins = 3;
    mech.mechanical = true;
    mech.needsDisk = true;
    MachineFacts bare;
    bare.name = "bare";
    bare.sourceFile = "x/bare.cpp";
    // MAME's order, devices left out, whatever piece of a tag a chunk ends in.
    for (const qsizetype chunk : {1, 2, 3, 5, 13, 64, 1 << 20})
        EXPECT_EQ(factsOf(kDocument, chunk), MachineFactsTable({mech, bare})) << chunk;
}

TEST(MachineFacts, OfTheCapturedMachinesAreWhatMameGave) {
    const MachineFactsTable facts =
        factsOf(ReadAll(COINSLOT_FIXTURES "/current-mame/listxml.xml"), 65536);
    ASSERT_EQ(facts.size(), 105u);
    const auto of = [&](const char* name) {
        for (const MachineFacts& machine : facts)
            if (machine.name == name)
                return machine;
        return MachineFacts{};
    };
    const MachineFacts pacman = of("pacman");
    EXPECT_EQ(pacman.year, "1980");
    EXPECT_EQ(pacman.manufacturer, "Namco (Midway license)");
    EXPECT_EQ(pacman.status, DriverStatus::Good);
    EXPECT_EQ(pacman.cloneOf, "puckman");
    EXPECT_EQ(pacman.sourceFile, "pacman/pacman.cpp");
    EXPECT_EQ(std::tuple(pacman.players, pacman.coins, pacman.screens, pacman.screenRotation),
              std::tuple(2, 2, 1, 90));
    const MachineFacts attache = of("attache");
    EXPECT_EQ(attache.status, DriverStatus::Imperfect);
    EXPECT_EQ(attache.imperfectFeatures, "graphics");
    EXPECT_EQ(attache.softwareLists, "attache");
    EXPECT_EQ(attache.coins, 0); // a computer: no coin slot
    EXPECT_EQ(
        std::count_if(facts.begin(), facts.end(),
                      [](const MachineFacts& m) { return m.status == DriverStatus::Preliminary; }),
        7);
}
