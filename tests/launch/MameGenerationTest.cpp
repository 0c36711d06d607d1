#include "launch/MameGeneration.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString FirstLine(const char* fixture) {
    QFile file(QStringLiteral(COINSLOT_FIXTURES "/") + fixture);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fixture;
    return QString::fromUtf8(file.readLine()).chopped(1);
}

} // namespace

TEST(MameGeneration, TellsTheCapturedHeadersApart) {
    EXPECT_EQ(generationFromListFullHeader(FirstLine("old-mame/listfull.txt")),
              MameGeneration::Old);
    EXPECT_EQ(generationFromListFullHeader(FirstLine("current-mame/listfull.txt")),
              MameGeneration::Current);
    // Line ends that the caller left on do not change the answer.
    EXPECT_EQ(generationFromListFullHeader("Name:     Description:\r"), MameGeneration::Old);
    EXPECT_EQ(generationFromListFullHeader("Name:             Description:\r"),
              MameGeneration::Current);
    EXPECT_EQ(generationFromListFullHeader("Name:  Description:"), MameGeneration::Current);
}

TEST(MameGeneration, AnythingButTheHeaderMeansTheOldMame) {
    for (const char* line : {"", "   ", "Name:", "Name:Description:", "Name:\t\tDescription:",
                             "Name:             Description: more",
                             "name:             description:", "  Name:           Description:",
                             "005               \"005\"", "Error: unknown option: -listfull"})
        EXPECT_EQ(generationFromListFullHeader(line), MameGeneration::Old) << '"' << line << '"';
}
