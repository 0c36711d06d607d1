// SPDX-License-Identifier: GPL-2.0-or-later
#include "text/SharedText.h"

#include <gtest/gtest.h>

// A reference count too low shows as a use after free, too high as a leak.
TEST(SharedText, SlicesLiveAndChangeLikeOwnStrings) {
    QString text = QStringLiteral("alpha|beta");
    text[5] = u'\0';
    QString alpha, beta;
    {
        SharedText shared(std::move(text));
        alpha = shared.slice(0, 5);
        beta = shared.slice(6, 4);
        (void)shared.slice(0, 5); // gone before the count is settled
        EXPECT_TRUE(shared.slice(3, 0).isNull());
    }
    EXPECT_EQ(alpha, "alpha");
    EXPECT_EQ(alpha.utf16()[5], 0);
    QString copy = alpha;
    alpha += "bet"; // shared: copied first
    EXPECT_EQ(copy, "alpha");
    EXPECT_EQ(beta, "beta");
    alpha.clear();
    copy.clear();
    beta.append(u'!'); // the last holder may change it in place
    EXPECT_EQ(beta, "beta!");
}
