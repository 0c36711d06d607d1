#include "text/SplitFirst.h"

#include <gtest/gtest.h>

TEST(splitFirst, CutsAtTheFirstSeparatorOnly) {
    struct Case {
        QString text, head, rest;
        QChar sep;
    };
    const Case cases[] = {
        {"a b c", "a", "b c", ' '},
        {"abc", "abc", "", ' '},
        {" a", "", "a", ' '},
        {"key=value=x", "key", "value=x", '='},
        {"d|n||drv|x", "d", "n||drv|x", '|'},
        {"", "", "", '|'},
        {"a|", "a", "", '|'},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(splitFirst(text, c.sep), c.head) << c.text.toStdString();
        EXPECT_EQ(text, c.rest) << c.text.toStdString();
    }
}
