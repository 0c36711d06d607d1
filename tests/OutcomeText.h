// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What a test shows of an Outcome: its failure text, so that
// EXPECT_EQ(failureText(outcome), "") prints why something failed, and
// EXPECT_TRUE(failsWith(outcome, "part of the text")).

#include "QtPrinters.h"
#include "text/Outcome.h"

#include <gtest/gtest.h>

template <class T> QString failureText(const Outcome<T>& outcome) {
    if (outcome.ok())
        return {};
    return outcome.failure().isEmpty() ? QStringLiteral("<failed without a text>")
                                       : outcome.failure();
}

template <class T>
testing::AssertionResult failsWith(const Outcome<T>& outcome, const QString& fragment) {
    if (!outcome.ok() && outcome.failure().contains(fragment))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << (outcome.ok() ? "it succeeded"
                            : "it failed with: " + outcome.failure().toStdString());
}

// The value of `outcome`; a failure fails the test and gives an empty value.
template <class T> T valueOf(const Outcome<T>& outcome) {
    if (outcome.ok())
        return outcome.value();
    ADD_FAILURE() << "it failed with: " << outcome.failure().toStdString();
    return T{};
}
