// SPDX-License-Identifier: GPL-3.0-or-later
// The wait gauge's keys: only e&Xit's access key, a click, Escape and the
// title-bar close stop a measurement; Space and Enter never do.
#include "ui/GaugeScreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;

namespace {
std::unique_ptr<GaugeScreen> OpenGauge() {
    auto gauge = std::make_unique<GaugeScreen>();
    gauge->Open(QStringLiteral("UP"), 16, 1, QStringLiteral("Reading R-dial 16 times."));
    gauge->show();
    QApplication::setActiveWindow(gauge.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(gauge.get()));
    return gauge;
}
} // namespace

TEST(GaugeScreenKeys, SpaceAndEnterNeverStopAMeasurement) {
    auto gauge = OpenGauge();
    auto* exit = gauge->findChild<QPushButton*>("cmmdExit");
    ASSERT_NE(exit, nullptr);
    EXPECT_FALSE(exit->hasFocus());
    EXPECT_EQ(exit->focusPolicy(), Qt::NoFocus);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(gauge.get(), key);
        EXPECT_FALSE(gauge->ExitPressed()) << key;
    }
}

TEST(GaugeScreenKeys, AccessKeyEscapeClickAndCloseStopIt) {
    {
        auto gauge = OpenGauge();
        QTest::keyClick(gauge.get(), Qt::Key_X, Qt::AltModifier);
        // An access key presses its button as an animated click, from a timer.
        EXPECT_TRUE(QTest::qWaitFor([&] { return gauge->ExitPressed(); }, 2000));
    }
    {
        auto gauge = OpenGauge();
        QTest::keyClick(gauge.get(), Qt::Key_Escape);
        EXPECT_TRUE(gauge->ExitPressed());
    }
    {
        auto gauge = OpenGauge();
        QTest::mouseClick(gauge->findChild<QPushButton*>("cmmdExit"), Qt::LeftButton);
        EXPECT_TRUE(gauge->ExitPressed());
    }
    {
        auto gauge = OpenGauge();
        QCloseEvent close;
        QApplication::sendEvent(gauge.get(), &close);
        EXPECT_TRUE(gauge->ExitPressed());
        EXPECT_FALSE(close.isAccepted()); // the core hides it, not the close
    }
}
