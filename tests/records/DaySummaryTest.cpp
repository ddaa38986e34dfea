// SPDX-License-Identifier: GPL-3.0-or-later
// The day summary: class averages and their texts at the three detail
// settings, and the printable summary file with its pages.
#include "records/DaySummary.h"
#include "records/DayFile.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

class DaySummaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        vars.setup.UtcOffsetHours = 0;
        clock.Set(MakeDateTime(2006, 3, 24, 18, 0, 0));
        ASSERT_TRUE(OpenDayFile(vars.setup, vars.day, clock, messages));
    }

    void AddObs(const QString& type, int hour, double ozone, double mu, double spread = 1.0) {
        ObsRecord r;
        r.writtenLocal = MakeDateTime(2006, 3, 24, hour, 0, 0);
        r.obsLocal = r.writtenLocal;
        r.type = type;
        r.mu = mu;
        r.ozone = ozone;
        r.ozoneSpread = spread;
        ASSERT_TRUE(
            AppendDayRecord(vars.setup, vars.day, clock, ObsRecordLines(r, vars.setup), messages));
    }

    SummaryTexts Run(SummaryDetail detail) {
        SummaryTexts texts;
        EXPECT_TRUE(
            SumToDay(vars.setup, clock, "03/24/2006", detail, vars.setup.DataDir, texts, messages));
        return texts;
    }

    QStringList SummaryFileLines() {
        return SplitLines(DecodeWindows1252(station.Read("data/S06083.999")));
    }

    TestStation station;
    StationState vars;
    FakeClock clock;
    RecordingMessages messages;
};

} // namespace

TEST_F(DaySummaryTest, OneAdsObservationFullAndBrief) {
    AddObs("ADDSGQP", 12, 300.0, 2.0);
    const SummaryTexts full = Run(SummaryDetail::Full);
    EXPECT_EQ(full.adds, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000");
    EXPECT_EQ(full.adZenith, "No AD zenith type observations this day.");
    EXPECT_EQ(full.cdds, "No CDDS type observations this day.");
    EXPECT_EQ(full.cdZenith, "");
    EXPECT_EQ(Run(SummaryDetail::Brief).adds, "One ADDS Obs with Ozone=300.0 DU at 120000");
}

TEST_F(DaySummaryTest, AveragesSampleSpreadAndHarmonicMu) {
    AddObs("ADDSGQP", 10, 300.0, 2.0);
    AddObs("ADDSFI", 14, 310.0, 4.0);
    AddObs("CDZB", 11, 280.0, 2.0);
    AddObs("CDZC", 13, 290.0, 2.0);
    AddObs("ADRMFI", 15, -99.9, -9.999, -9.9);
    AddObs("CCZB", 16, -99.9, 2.5, -9.9);
    const SummaryTexts full = Run(SummaryDetail::Full);
    EXPECT_EQ(full.adds, QString("2 ADDS OBS Average Ozone=305.0") + QChar(0xB1) +
                             "7.1 DU at mean time:120000; Mu:2.67");
    EXPECT_EQ(full.cdZenith, QString("2 CD Zenith OBS Average O3=285.0") + QChar(0xB1) +
                                 "7.1 DU at mean time:120000; Mu:2.00");
    const SummaryTexts brief = Run(SummaryDetail::Brief);
    EXPECT_EQ(brief.adds, QString("2 ADDS OBS Average Ozone=305.0") + QChar(0xB1) + "7.1 DU");
    EXPECT_EQ(brief.cdZenith,
              QString("2 CD zenith  OBS Average O3=285.0") + QChar(0xB1) + "7.1 DU");
}

TEST_F(DaySummaryTest, SummaryFileLayout) {
    AddObs("ADDSGQP", 12, 300.0, 2.0);
    AddObs("ADRMFI", 13, -99.9, -9.999, -9.9);
    const SummaryTexts texts = Run(SummaryDetail::WithFile);
    EXPECT_EQ(texts.adds, "One ADDS Obs with Ozone=300.0 DU at 120000; Mu:2.000");
    const QByteArray bytes = station.Read("data/S06083.999");
    EXPECT_TRUE(bytes.contains("300.0\xb1"
                               "1.0"));
    const QStringList lines = SummaryFileLines();
    ASSERT_GE(lines.size(), 14);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], QString(25, u' ') + "Dobson 061 Observations at:");
    EXPECT_EQ(lines[2], QString(31, u' ') + "Boulder, Colorado");
    EXPECT_EQ(lines[3], QString(26, u' ') + "Observations for 03/24/2006");
    EXPECT_EQ(lines[5], "         Type:     Time:     Mu:       DS Ozone:           Zen Ozone: ");
    EXPECT_EQ(lines[6],
              QString(9, u' ') + "ADDSGQP   120000    2.000     300.0" + QChar(0xB1) + "1.0");
    EXPECT_EQ(lines[7],
              QString(9, u' ') + "ADRMFI    130000    -9.999" + QString(19, u' ') + "Not Calc'd");
    EXPECT_EQ(lines[8], QString(32, u' ') + "Daily Averages");
    EXPECT_EQ(lines[9], "One ADDS Obs         Ozone=300.0 DU                  at:120000 Mu:2.000");
    EXPECT_EQ(lines[10], "No AD zenith type observations this day.");
    EXPECT_EQ(lines[11], "No CDDS type observations this day.");
    EXPECT_EQ(lines[12], "No CDZenith type observations this day.");
    EXPECT_EQ(lines[13], QString("18:00:00 : 24 Mar 2006") + QChar(12));
}

TEST_F(DaySummaryTest, HeaderOnlyDayAndLongListingPages) {
    Run(SummaryDetail::WithFile);
    QStringList lines = SummaryFileLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[6], QString("No Observations this day 18:00:00 : 24 Mar 2006") + QChar(12));

    for (int i = 0; i < 60; ++i) {
        AddObs("CDDSGQP", 8 + i / 10, 300.0 + i, 2.0);
    }
    const SummaryTexts texts = Run(SummaryDetail::WithFile);
    EXPECT_TRUE(texts.cdds.startsWith("60 CDDS OBS Average Ozone=329.5"));
    lines = SummaryFileLines();
    const qsizetype formFeeds = lines.filter(QChar(12)).size();
    EXPECT_EQ(formFeeds, 2); // one page break, one end of file
    EXPECT_EQ(lines.filter("Dobson 061 Observations at:").size(), 2);
    EXPECT_TRUE(lines.contains(QStringLiteral("60  CDDS Obs Average Ozone=329.5") + QChar(0xB1) +
                               "17.5 DU at mean time:103000 Mu:2.00"));
}

TEST_F(DaySummaryTest, RefusedFilesAndMissingFile) {
    SummaryTexts texts;
    EXPECT_TRUE(SumToDay(vars.setup, clock, "03/25/2006", SummaryDetail::Full, vars.setup.DataDir,
                         texts, messages));
    EXPECT_EQ(texts.adds, "No ADDS Obs. today");
    EXPECT_TRUE(messages.titles.isEmpty());

    vars.setup.StationName = "Elsewhere";
    messages.Expect("Day File");
    EXPECT_FALSE(SumToDay(vars.setup, clock, "03/24/2006", SummaryDetail::WithFile,
                          vars.setup.DataDir, texts, messages));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(" is not a data file\nFirst Line:Boulder, Colorado"));
    EXPECT_FALSE(QFile::exists(vars.setup.DataDir + "S06083.999"));
}

TEST_F(DaySummaryTest, OpenDayFileOnAnExistingFileRefreshesTheLines) {
    AddObs("ADZB", 12, 290.0, 2.0);
    ASSERT_TRUE(OpenDayFile(vars.setup, vars.day, clock, messages));
    EXPECT_EQ(vars.day.SummaryADZenith, "One AD zenith Ob with O3=290.0 DU at 120000");
    EXPECT_EQ(vars.day.SummaryADDS, "No ADDS type observations this day.");
}
