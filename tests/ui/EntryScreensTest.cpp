// SPDX-License-Identifier: GPL-3.0-or-later
// The entry screens offscreen: typed keys, pasted text and closed windows.
#include "ui/EntryScreens.h"
#include "instrument/EntryRules.h"
#include "support/QtPrinters.h"
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace quillon;

TEST(EntryScreens, PastedInitialsAndClosedWindows) {
    StationState vars;
    vars.settings.ObserverInitials = "RDE";
    {
        // The initials held are offered again; a paste keeps to the rule.
        GetInitialsScreen initials(vars, nullptr);
        auto* box = initials.findChild<QLineEdit*>("txtInitials");
        EXPECT_EQ(box->text(), "RDE");
        box->clear();
        initials.show();
        box->setFocus();
        QApplication::clipboard()->setText("wxyz, jr");
        box->paste();
        EXPECT_EQ(box->text(), "WXY");
    }
    // Closing the initials or temperature screen by its title bar is Escape.
    for (int screen = 0; screen < 2; ++screen) {
        vars.DialogChoice = 0;
        std::unique_ptr<QDialog> dialog;
        if (screen == 0) {
            dialog = std::make_unique<GetInitialsScreen>(vars, nullptr);
        } else {
            dialog = std::make_unique<GetDegsCScreen>(vars, nullptr);
        }
        QTimer::singleShot(0, dialog.get(), [&dialog] { dialog->close(); });
        dialog->exec();
        EXPECT_EQ(vars.DialogChoice, 1) << screen;
    }
}

TEST(EntryScreens, TypedKeysOnTheRealScreens) {
    StationState vars;
    GetInitialsScreen initials(vars, nullptr);
    initials.show();
    auto* box = initials.findChild<QLineEdit*>("txtInitials");
    QTest::keyClicks(box, "ab1cd");
    EXPECT_EQ(box->text(), "ABC");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(vars.settings.ObserverInitials, "ABC");

    GetDegsCScreen degs(vars, nullptr);
    degs.show();
    auto* t = degs.findChild<QLineEdit*>("txtDegsC");
    QTest::keyClicks(t, "2x2");
    EXPECT_EQ(t->text(), "22");
    QTest::keyClicks(t, "-");
    EXPECT_EQ(t->text(), "-22");
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(degs.findChild<QLabel*>("lblDegsErr")->text(), "-22 is out of range. ");
    QTest::keyClicks(t, "+");
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(vars.settings.InstrumentTemperature, 22);

    GetDegsCScreen escaped(vars, nullptr);
    escaped.show();
    vars.DialogChoice = 0;
    QTest::keyClick(escaped.findChild<QLineEdit*>("txtDegsC"), Qt::Key_Escape);
    EXPECT_EQ(vars.DialogChoice, 1);
}
