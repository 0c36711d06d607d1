// The machine facts that -listxml gives beside each record.
#include "database/ListXmlImport.h"

#include "OutcomeText.h"

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
    EXPECT_EQ(failureText(reader.finish(false)), "") << chunk;
    return reader.takeFacts();
}

} // namespace

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
    for (const qsizetype chunk : {1, 2, 3, 5, 13, 64, 1 << 20})
        EXPECT_EQ(factsOf(kDocument, chunk), MachineFactsTable({mech, bare})) << chunk;
}
