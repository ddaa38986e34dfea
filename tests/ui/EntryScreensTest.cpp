// SPDX-License-Identifier: GPL-3.0-or-later
// The entry screens offscreen: typed keys, pasted text and closed windows.
#include "ui/EntryScreens.h"
#include "support/QtPrinters.h"
#include "support/ScriptedOperator.h"
#include "util/EntryRules.h"
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace quillon;
using namespace quillon::test;

TEST(EntryScreens, PastedInitialsAndClosedWindows) {
    {
        // The initials held are offered again; a paste keeps to the rule.
        GetInitialsScreen initials("RDE", nullptr);
        auto* box = initials.findChild<QLineEdit*>("txtInitials");
        EXPECT_EQ(box->text(), "RDE");
        box->clear();
        initials.show();
        box->setFocus();
        QApplication::clipboard()->setText("wxyz, jr");
        box->paste();
        EXPECT_EQ(box->text(), "WXY");
    }
    // Closing an entry by its title bar is Escape: no value, even with text
    // typed in its box.
    GetInitialsScreen initials("RDE", nullptr);
    GetDegsCScreen degrees(nullptr);
    degrees.findChild<QLineEdit*>("txtDegsC")->setText("21.5");
    AddCommentScreen comment(nullptr);
    comment.findChild<QLineEdit*>("txtCmmt")->setText("typed, never entered");
    QStringList entered;
    QObject::connect(&comment, &AddCommentScreen::Entered,
                     [&entered](const QString& text) { entered << text; });
    for (QDialog* dialog : std::initializer_list<QDialog*>{&initials, &degrees, &comment}) {
        ScriptedOperator op;
        op.On(dialog->objectName(), CloseWindow());
        EXPECT_EQ(dialog->exec(), QDialog::Rejected) << dialog->objectName().toStdString();
    }
    EXPECT_EQ(initials.Initials(), std::nullopt);
    EXPECT_EQ(degrees.Temperature(), std::nullopt);
    EXPECT_EQ(comment.Text(), std::nullopt);
    EXPECT_TRUE(entered.isEmpty());
}

TEST(EntryScreens, TypedKeysOnTheRealScreens) {
    GetInitialsScreen initials(QString(), nullptr);
    initials.show();
    auto* box = initials.findChild<QLineEdit*>("txtInitials");
    QTest::keyClicks(box, "ab1cd");
    EXPECT_EQ(box->text(), "ABC");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(initials.Initials(), std::optional<QString>("ABC"));

    GetDegsCScreen degs(nullptr);
    degs.show();
    auto* t = degs.findChild<QLineEdit*>("txtDegsC");
    QTest::keyClicks(t, "2x2");
    EXPECT_EQ(t->text(), "22");
    QTest::keyClicks(t, "-");
    EXPECT_EQ(t->text(), "-22");
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(degs.findChild<QLabel*>("lblDegsErr")->text(), "-22 is out of range. ");
    EXPECT_EQ(degs.Temperature(), std::nullopt); // refused: no value yet
    QTest::keyClicks(t, "+");
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(degs.Temperature(), std::optional<double>(22.0));

    GetDegsCScreen escaped(nullptr);
    escaped.show();
    QTest::keyClicks(escaped.findChild<QLineEdit*>("txtDegsC"), "19");
    QTest::keyClick(escaped.findChild<QLineEdit*>("txtDegsC"), Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), QDialog::Rejected);
    EXPECT_EQ(escaped.Temperature(), std::nullopt);

    // The comment: Escape gives nothing; Enter gives the text, and says so
    // to whoever listens (the intercomparison's series).
    AddCommentScreen comment(nullptr);
    QStringList entered;
    QObject::connect(&comment, &AddCommentScreen::Entered,
                     [&entered](const QString& text) { entered << text; });
    comment.show();
    auto* text = comment.findChild<QLineEdit*>("txtCmmt");
    QTest::keyClicks(text, "Thin cirrus to the west");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(comment.Text(), std::optional<QString>("Thin cirrus to the west"));
    EXPECT_EQ(entered, QStringList{"Thin cirrus to the west"});
}
