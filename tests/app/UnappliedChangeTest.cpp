// SPDX-License-Identifier: GPL-3.0-or-later
// A Q-table change killed after its record and before inst.cfg, as a power
// cut leaves it: the next start shows it and writes it to the day file,
// and the operator's retry of the same change says it is a retry.
#include "app/StartUp.h"
#include "calibration/QTable.h"
#include "calibration/UnappliedChanges.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class NoScreens : public StartUpScreens {
public:
    void ShowParameters(const StationSetup&, const Calibration&) override {}
    void HideParameters() override {}
    void ShowLampOverDue(const LampTestAges&) override { ADD_FAILURE() << "lamp tests overdue"; }
};

// The station as a kill left it after the Q-table change's record of
// 12/08/2026 10:00 local reached the day file and before inst.cfg changed.
bool KilledBetweenRecordAndInstCfg(const TestStation& station) {
    const QByteArray before = station.Read("config/inst.cfg");
    for (int n = 1; n < 20; ++n) {
        station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
        station.Remove("data/D26342.061");
        QProcess child;
        child.start(QStringLiteral(QUILLON_CALIBRATION_KILLER),
                    {station.Home(), QStringLiteral("qadjust"), QString::number(n)});
        if (!child.waitForFinished(30000) || child.exitCode() != 9) {
            return false; // ran to its end: no step left the record alone
        }
        if (station.Read("data/D26342.061").contains("New Values A:") &&
            station.Read("config/inst.cfg") == before) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(UnappliedChange, NoticedAtTheNextStartAndItsRetrySaysSo) {
    TestStation station;
    ASSERT_TRUE(KilledBetweenRecordAndInstCfg(station));

    // The next start, an hour later: 11:00 local.
    StationState vars;
    vars.setup.HomeDir = station.Home();
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 18, 0, 0));
    NoScreens screens;
    StartUp startUp(vars, fakes.clock, fakes.messages, screens, fakes.encoder);
    fakes.messages.Expect("Calibration change not applied");
    ASSERT_TRUE(startUp.LoadConfiguration().ok());
    const QString notice = "The Q-table change of 12/08/2026 10:00 did not reach inst.cfg; "
                           "inst.cfg holds the values from before it";
    ASSERT_EQ(fakes.messages.texts.size(), 1);
    EXPECT_EQ(fakes.messages.texts[0], notice + ".");
    EXPECT_DOUBLE_EQ(vars.calibration.Q15Hg, 74.3); // the old table is in force
    QString day = DecodeWindows1252(station.Read("data/D26342.061"));
    // A comment of two lines: 78 columns a line.
    EXPECT_TRUE(day.endsWith("\"COMMENT\",\"12/08/2026\",\"11:00:00\",2\r\n"
                             "\"The Q-table change of 12/08/2026 10:00 did not reach inst.cfg; "
                             "inst.cfg holds \"\r\n\"the values from before it\"\r\n"))
        << day.toStdString();

    // The operator makes the same change again: its record says it is a
    // retry, and the next start has nothing to notice.
    ASSERT_TRUE(AcceptQTableChange(vars.setup, vars.day, vars.calibration, "RDE", fakes.clock,
                                   fakes.messages, 1.0f));
    day = DecodeWindows1252(station.Read("data/D26342.061"));
    EXPECT_TRUE(day.endsWith("\"COMMENT\",\"12/08/2026\",\"11:00:00\",2\r\n"
                             "\"This is a retry of the Q-table change of 12/08/2026 10:00, which "
                             "did not \"\r\n\"reach inst.cfg.\"\r\n"))
        << day.toStdString();
    EXPECT_DOUBLE_EQ(vars.calibration.Q15Hg, 75.3);
    EXPECT_TRUE(FindUnappliedChanges(vars.setup, vars.calibration).isEmpty());
}

TEST(UnappliedChange, AnInstCfgWithoutItsTestDatesIsNeverSaidToMissATest) {
    // A station's inst.cfg from before it kept the dates of its lamp tests,
    // and histories with tests of December: nothing is claimed missing.
    TestStation station;
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,74.3,\"06/15/2026\"\r\n");
    station.Write("history/hghist.061", "HGLAMP,12/05/2026,10:00:00,  20.0, 21.0\r\n"
                                        "  78.0   78.0   78.0   00.0   00.0 \r\n"
                                        "  70.6   70.6   70.6   00.0   00.0 \r\n"
                                        "   74.30   74.00    00.30  24 Mar 2006\r\n");
    station.Write("history/lamphist.061",
                  "\"STDLAMP\",\"12/06/2026\",\"10:00:00\",\"STD-61A\",21\r\n"
                  "142.6 142.6 142.6 127.4 127.4 127.4 119.3 119.3 119.3 098.6 098.6 098.6 \r\n"
                  "000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 000.0 \r\n"
                  "Test Average: 142.6127.4  119.3  098.6   Std Dev: 000.0000.0  000.0  000.0  "
                  "\r\n");
    const StationState vars = LoadedVars(station);
    EXPECT_EQ(vars.calibration.LastHgTest, "UNKNOWN");
    EXPECT_TRUE(FindUnappliedChanges(vars.setup, vars.calibration).isEmpty());

    // With the dates of 11/28 and 11/30, the same histories are tests that
    // inst.cfg never got.
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,74.3,\"06/15/2026\","
                                     "\"11/28/2026\",\"11/30/2026\"\r\n");
    const StationState dated = LoadedVars(station);
    const QList<UnappliedChange> missed = FindUnappliedChanges(dated.setup, dated.calibration);
    ASSERT_EQ(missed.size(), 2);
    EXPECT_EQ(missed[0].text, "the mercury test of 12/05/2026 10:00 did not reach inst.cfg; "
                              "inst.cfg holds the values from before it");
    EXPECT_EQ(missed[1].text, "the standard lamp test of 12/06/2026 10:00 did not reach "
                              "inst.cfg; inst.cfg holds the values from before it");
}
