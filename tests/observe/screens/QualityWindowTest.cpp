// SPDX-License-Identifier: GPL-3.0-or-later
// "Quality of a day" offscreen, on a day of the example station: each
// observation with its flags and reasons, the flagged rows marked, another
// date typed and shown with Enter, a date that is none refused, Escape.
#include "observe/screens/QualityWindow.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(QualityWindow, ADayOfTheExampleStationAndAnotherDateTyped) {
    TestStation station(TestStation::Contents::Everything);
    StationState vars = LoadedVars(station);
    // 12:00 local on 3 December 2026 (UTC-7): today's file is 12/03's.
    TestServices fakes(vars, MakeDateTime(2026, 12, 3, 19, 0, 0));
    ScriptedOperator op;
    QualityWindow window(fakes.services);
    window.show();
    auto* date = window.findChild<QLineEdit*>("txtDate");
    auto* table = window.findChild<QTableWidget*>("tblQuality");
    auto* message = window.findChild<QLabel*>("lblQualityMessage");
    EXPECT_EQ(date->text(), "12/03/2026");
    EXPECT_GT(table->rowCount(), 0);

    // 12/02/2026: eight observations of a practice day (.999), each with
    // its sky; an AD and a CD direct sun 20 minutes apart that differ by
    // 4 % (limit 3 %), the lamp tests of 11/28 and 11/30 on time.
    date->setText("12/02/2026");
    QTest::keyClick(date, Qt::Key_Return);
    ASSERT_EQ(table->rowCount(), 8);
    EXPECT_EQ(message->text(), "8 observation(s), 8 flagged.");
    const QStringList first = {table->item(0, 0)->text(), table->item(0, 1)->text(),
                               table->item(0, 2)->text(), table->item(0, 3)->text(),
                               table->item(0, 4)->text()};
    EXPECT_EQ(first, QStringList({"09:31:05", "ADDSGQP", "2.862", "287.2",
                                  "training: practice day (.999 file); adcd: AD 287.2 at 09:31, "
                                  "CD 298.7 at 09:51: 4.00 % (limit 3.0)"}));
    EXPECT_EQ(table->item(2, 1)->text(), "ADZB");
    EXPECT_EQ(table->item(2, 4)->text(), "training: practice day (.999 file)");
    EXPECT_EQ(table->item(4, 1)->text(), "CCZB");
    EXPECT_EQ(table->item(4, 3)->text(), "-99.9");
    EXPECT_EQ(table->item(0, 0)->background().color(), QColor(255, 220, 220));

    date->setText("13/45/2026");
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(message->text(), "13/45/2026 is not a date of the form MM/DD/YYYY.");
    date->setText("12/20/2026");
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(message->text(),
              "The day file " + station.DataDir() + "D26354.999 cannot be read: File not found");

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    // Enter presses the focused button: on e&Xit it closes the window.
    window.show();
    auto* exit = window.findChild<QPushButton*>("cmmdExit");
    exit->setFocus();
    QTest::keyClick(exit, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}
