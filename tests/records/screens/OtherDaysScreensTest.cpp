// SPDX-License-Identifier: GPL-3.0-or-later
// The other-days screens offscreen: a directory chosen, a day picked, its
// summary file made, and backing up one step at a time.
#include "records/screens/OtherDaysScreens.h"
#include "records/DayFileFixtures.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/ScriptedOperator.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST(OtherDaysScreens, ChooseADirectoryPickADayMakeItsSummary) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2007, 4, 7, 20, 0, 0));
    QTemporaryDir archive;
    QFile day(archive.filePath("D07097.999"));
    ASSERT_TRUE(day.open(QIODevice::WriteOnly));
    day.write(Header("04/07/2007") + Obs("120000", "ADDSGQP", "2.000", "300.0", "1.2"));
    day.close();
    QString summaryLine;
    QString freeText;
    ScriptedOperator op;
    op.On("Explain", Press(Qt::Key_Space));
    op.On("ChooseDir", [&](QWidget* m) {
        // The chooser starts in the data directory; go to the archive.
        auto* dirs = m->findChild<QListWidget*>("Dir1");
        auto* path = m->findChild<QLabel*>("lblPath");
        EXPECT_EQ(path->text() + "/", vars.setup.DataDir);
        dirs->addItem(archive.path()); // an absolute entry opens that directory
        dirs->setCurrentRow(dirs->count() - 1);
        m->findChild<QPushButton*>("cmmdOpen")->click();
        EXPECT_EQ(path->text(), archive.path());
        m->findChild<QPushButton*>("cmmdSelect")->click();
    });
    op.On("DayList", [&](QWidget* m) {
        // The whole title fits: "Select a series of Day Files for Instrument 061".
        EXPECT_EQ(m->windowTitle(), "Select a series of Day Files for Instrument 061");
        EXPECT_GE(m->width(), m->fontMetrics().horizontalAdvance(m->windowTitle()) + 100);
        auto* days = m->findChild<QListWidget*>("Dayfiles");
        EXPECT_EQ(days->count(), 1);
        days->setCurrentRow(0);
        summaryLine = m->findChild<QLabel*>("lblSummary_0")->text();
        freeText = m->findChild<QLabel*>("lblFree")->text();
        EXPECT_EQ(m->findChild<QLabel*>("lblSumFile")->text(), "S07097.999");
        m->findChild<QPushButton*>("cmmdMake")->click();
        // "e&Xit or Escape key to backup.": one step back, to the chooser.
        QTest::keyClick(m, Qt::Key_Escape);
    });
    // From the chooser, Escape goes back to the top level.
    op.On("ChooseDir", Press(Qt::Key_Escape));
    RunOtherDays(fakes.services, nullptr);
    EXPECT_EQ(op.Seen(), QStringList({"Explain", "ChooseDir", "DayList", "ChooseDir"}));
    EXPECT_EQ(summaryLine, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000");
    EXPECT_FALSE(freeText.isEmpty());
    EXPECT_TRUE(QFile::exists(archive.filePath("S07097.999")));
}
