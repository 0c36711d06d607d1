// The machine listing read in pieces gives what it gives whole; what may
// follow </mame>; the bounds of both kinds of listing.
#include "database/ListXmlImport.h"
#include "database/ListingImport.h"

#include "QtPrinters.h"
#include "TestFolders.h"

namespace {

Outcome<GameTable> readInPieces(const QByteArray& xml, qsizetype piece) {
    ListXmlReader reader;
    for (qsizetype at = 0; at < xml.size(); at += piece)
        reader.addData(xml.mid(at, piece));
    return reader.finish(false);
}

Outcome<GameTable> readCutAt(const QByteArray& xml, qsizetype cut) {
    ListXmlReader reader;
    reader.addData(xml.left(cut));
    reader.addData(xml.mid(cut));
    return reader.finish(false);
}

QByteArray document(const QByteArray& attributes, const QByteArray& description,
                    const QByteArray& after = "\n") {
    const QByteArray entity = "<!DOCTYPE mame [\n<!ENTITY x SYSTEM \"x.txt\">\n]>\n";
    return "<?xml version=\"1.0\"?>\n" + (description.contains('&') ? entity : "") +
           "<mame build=\"0.251\">\n\t<machine " + attributes +
           (attributes.contains("sourcefile") ? "" : " sourcefile=\"d.cpp\"") +
           ">\n\t\t<description>" + description +
           "</description>\n\t\t<year>1980</year>\n\t</machine>\n</mame>" + after;
}

} // namespace

TEST(ListingLimits, TheFixtureReadsTheSameInPiecesOfAnySize) {
    QFile file(QStringLiteral(COINSLOT_FIXTURES "/current-mame/listxml.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    const Outcome<GameTable> whole = readInPieces(xml, xml.size());
    ASSERT_TRUE(whole.ok()) << whole.failure();
    // Pieces of one byte cut the document at every position at once.
    for (const qsizetype piece : {1, 2, 3, 13, 4093}) {
        const Outcome<GameTable> pieces = readInPieces(xml, piece);
        ASSERT_TRUE(pieces.ok()) << piece << ": " << pieces.failure();
        EXPECT_TRUE(pieces.value() == whole.value()) << piece;
    }
}

TEST(ListingLimits, OnlyBlanksAndClosedCommentsMayFollowTheRootWhereverTheOutputIsCut) {
    const struct {
        const char* after;
        bool ok;
    } cases[] = {{"\n", true},
                 {"\n<!-- a - b -->\n<!---->", true},
                 {"\n<machine name=\"b\"", false},
                 {"\n<machine name=\"b\"></machine>", false},
                 {"<!-- open", false},
                 {"<!-- a -- b -->", false},
                 {"<!-- a --->", false},
                 {"<?pi x?>", false},
                 {"<!-", false},
                 {"x", false}};
    for (const auto& c : cases) {
        const QByteArray xml = document("name=\"a\"", "A", c.after);
        for (qsizetype cut = 0; cut <= xml.size(); ++cut) {
            const Outcome<GameTable> read = readCutAt(xml, cut);
            ASSERT_EQ(read.ok(), c.ok) << c.after << " cut at " << cut << ": " << read.failure();
            if (!c.ok) {
                EXPECT_TRUE(read.failure().contains("goes on after its closing </mame> tag"));
            }
        }
    }
}

TEST(ListingLimits, FieldsLongerThanMameMakesThemAndOutsideEntitiesAreRefused) {
    const QByteArray name64(64, 'n'), name65(65, 'n');
    const QByteArray e512 = QString(512, QChar(0xE9)).toUtf8(); // 1,024 bytes
    const struct {
        QByteArray attributes, description;
        const char* fault; // nothing: the machine is kept
    } cases[] = {
        {"name=\"" + name64 + "\" cloneof=\"" + name64 + "\"", e512, nullptr},
        {"name=\"" + name65 + "\"", "A",
         "machine number 1 of the listing a short name longer "
         "than 64 bytes"},
        {"name=\"a\" cloneof=\"" + name65 + "\"", "A", "a parent name longer than 64 bytes"},
        {"name=\"a\"", e512 + "e", "the machine \"a\" a description longer than 1,024 bytes"},
        {"name=\"a\"", "A &x; B", "declares the outside entity \"x\""},
    };
    for (const auto& c : cases) {
        const Outcome<GameTable> read = readInPieces(document(c.attributes, c.description), 7);
        if (!c.fault) {
            EXPECT_TRUE(read.ok()) << read.failure();
        } else {
            EXPECT_TRUE(read.failure().contains(c.fault)) << c.fault << ": " << read.failure();
        }
    }
    const QString sourceFile = QString(65, 'd') + ".cpp";
    const Outcome<GameTable> driver =
        readInPieces(document("name=\"a\" sourcefile=\"" + sourceFile.toLatin1() + "\"", "A"), 7);
    EXPECT_TRUE(driver.failure().contains("a driver name longer than 64 bytes"))
        << driver.failure();
}

TEST(ListingLimits, ATextListingFailsOnALongLineOrOneCutShort) {
    QTemporaryDir dir;
    const auto read = [&](const QByteArray& bytes) {
        return readListingFile(writeInto(dir, "listing", bytes), kCloneListing);
    };
    const Outcome<std::optional<QStringList>> lines = read("a\r\nb\rc\n\r\nd\n");
    ASSERT_TRUE(lines.ok()) << lines.failure();
    EXPECT_EQ(*lines.value(), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(*read("").value(), QStringList());
    EXPECT_FALSE(readListingFile(dir.filePath("none"), kCloneListing).value());
    EXPECT_TRUE(read(QByteArray(4096, 'a') + "\r\n").ok());
    EXPECT_EQ(read("a\n" + QByteArray(4097, 'a') + "\n").failure(),
              "Line 2 of MAME's clone listing (-listclones) is longer than 4,096 bytes, longer "
              "than any line MAME prints.");
    EXPECT_EQ(read("a\nb").failure(), "MAME's clone listing (-listclones) ends in the middle of "
                                      "a line, so MAME did not finish it.");
    EXPECT_FALSE(read(QByteArray(1 << 20, 'a')).ok());
}
