// SPDX-License-Identifier: GPL-2.0-or-later
// Entry point of the test programs, with an event loop. With
// COINSLOT_TEST_WIDGETS a QApplication (widgets, fonts, screens), offscreen
// unless a platform is chosen.
#ifdef COINSLOT_TEST_WIDGETS
#include <QApplication>
#endif
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifdef COINSLOT_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
