// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point of the core tests: a QCoreApplication, for the event
// loops of the waits, the timers and the processes; no display.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
