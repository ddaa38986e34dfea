// The entry screens' key rules and messages, in the core and on the real
// offscreen screens.
#include "instrument/EntryRules.h"
#include "instrument/screens/EntryScreens.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace quillon;

TEST(DegsC, RangeAndMessages) {
    double t = 0;
    EXPECT_TRUE(DegsCEnter("40", &t).accepted);
    EXPECT_EQ(t, 40);
    EXPECT_EQ(DegsCEnter("40.1", &t).error, "40.1 is out of range. ");
    EXPECT_TRUE(DegsCEnter("-5", &t).accepted);
    EXPECT_EQ(DegsCEnter("-5.5", &t).error, "-5.5 is out of range. ");
    EXPECT_EQ(DegsCEnter("", &t).error, "Enter Temperature or Press Escape");
    EXPECT_EQ(DegsCEnter("1.2.3", &t).error, "1.2.3 not a Number. ");
    EXPECT_EQ(DegsCSignKey("22", '-'), "-22");
    EXPECT_EQ(DegsCSignKey("-22", '+'), "22");
    EXPECT_EQ(DegsCSignKey("", '-'), "");
    EXPECT_TRUE(DegsCAcceptsChar('7'));
    EXPECT_TRUE(DegsCAcceptsChar('.'));
    EXPECT_FALSE(DegsCAcceptsChar('a'));
}

TEST(Initials, ThreeCapitals) {
    EXPECT_EQ(InitialsKey("", 'a'), QChar('A'));
    EXPECT_EQ(InitialsKey("ABC", 'd'), std::nullopt);
    EXPECT_EQ(InitialsKey("A", '1'), std::nullopt);
    EXPECT_EQ(InitialsEnter("").error, "Please Enter Initials or Escape");
    EXPECT_EQ(CleanInitials("j. doe-smith"), "JDO");
    EXPECT_EQ(CleanInitials("12"), "");
    EXPECT_EQ(CleanInitials(QString("\u00e9ab")), "AB");
}

TEST(EntryScreens, PastedInitialsAndClosedWindows) {
    SharedVars vars;
    vars.ObserverInitials = "RDE";
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
    SharedVars vars;
    GetInitialsScreen initials(vars, nullptr);
    initials.show();
    auto* box = initials.findChild<QLineEdit*>("txtInitials");
    QTest::keyClicks(box, "ab1cd");
    EXPECT_EQ(box->text(), "ABC");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(vars.ObserverInitials, "ABC");

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
    EXPECT_EQ(vars.InstrumentTemperature, 22);

    GetDegsCScreen escaped(vars, nullptr);
    escaped.show();
    vars.DialogChoice = 0;
    QTest::keyClick(escaped.findChild<QLineEdit*>("txtDegsC"), Qt::Key_Escape);
    EXPECT_EQ(vars.DialogChoice, 1);
}
