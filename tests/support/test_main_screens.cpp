// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point of the screen tests: a QApplication (offscreen) so they
// open real widgets without a display, and the strict operator over each.
#include "support/ScriptedOperator.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {
// Every screen test runs under a scripted operator with no answers: a
// screen that the test did not name fails it within two seconds, instead
// of waiting for a time-out.
class StrictOperatorForEveryTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        operator_ = std::make_unique<quillon::test::ScriptedOperator>();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { operator_.reset(); }
    std::unique_ptr<quillon::test::ScriptedOperator> operator_;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new StrictOperatorForEveryTest);
    return RUN_ALL_TESTS();
}
