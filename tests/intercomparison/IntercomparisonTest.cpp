// SPDX-License-Identifier: GPL-3.0-or-later
// The intercomparison without widgets: the CDA file's header and data
// lines, the day record, the missing-wavelength and cap rules, the half
// minute, and a series of sets on the fake clock.
#include "astro/AstroFunctions.h"
#include "intercomparison/CdaSet.h"
#include "intercomparison/IntercomparisonSeries.h"
#include "ozone/OzoneCalc.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

IcSet HandSet() {
    IcSet set;
    set.wavelengths[kIcC] = IcMeasurement{MakeDateTime(2026, 12, 8, 17, 0, 30), 150.0, 0.2};
    set.wavelengths[kIcD] = IcMeasurement{MakeDateTime(2026, 12, 8, 17, 1, 30), 120.0, 0.1};
    return set;
}

// The series' screens as a test sees them: what it says, the set lines,
// the gauge's captions, and a hook into every message so a test can act
// at a chosen moment of the run (a shift, a setting, a late clock).
struct SeriesScreens : IntercomparisonScreens, GaugeDisplay {
    GaugeDisplay& Gauge() override { return *this; }
    void ShowMessage(const QString& text) override {
        messages << text;
        if (onMessage) {
            onMessage(text);
        }
    }
    void ShowResultLine(const QString& line) override {
        results << line;
        if (results.size() == stopAfter) {
            series->Pause();
        }
    }
    void SetCallerText(const QString& caption, const QString&) override { captions << caption; }
    void Open(const QString&, int, int, const QString&) override {}
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return escapeAll; }
    void Close() override {}
    IntercomparisonSeries* series = nullptr;
    int stopAfter = 2;
    bool escapeAll = false;
    std::function<void(const QString&)> onMessage;
    QStringList messages, results, captions;
};

QStringList Times(const QList<DateTimeValue>& times) {
    QStringList out;
    for (const DateTimeValue t : times) {
        out << FormatDate(t, u"HH:MM:SS");
    }
    return out;
}

IcResult HandResult() {
    IcResult r;
    r.meanUtc = MakeDateTime(2026, 12, 8, 17, 1, 0);
    r.wavelengths[kIcC] = IcWavelengthResult{2.345, 2.31, 64.84, 140.5, 312.3456};
    r.wavelengths[kIcD] = IcWavelengthResult{2.3, 2.27, 64.5, 103.3, 290.0};
    r.cd = 300.25;
    return r;
}

} // namespace

TEST(CdaFile, HeaderAndDataLineByteForByte) {
    TestStation station;
    StationState vars = LoadedVars(station);
    vars.setup.Latitude = -35.5;
    vars.setup.Longitude = 105.25;
    const QStringList header = CdaHeaderLines(vars.setup);
    ASSERT_EQ(header.size(), 7);
    EXPECT_EQ(header[0], "' CDA type observations");
    EXPECT_EQ(header[1], "' Instrument: 061");
    EXPECT_EQ(header[2], "' Station: Boulder, Colorado Code: BDR");
    EXPECT_EQ(header[3], "' Lat: 35.5000S Long: 105.2500W Dec. Deg");
    EXPECT_EQ(header[6],
              " Station Code, Date UTC, MeanTime UTC, DS or ZEN, time_for_C, Mu_at_time_for_C, "
              "SZA_at_time_for_C, Rc, Nc, TO3_C, time_for_D, Mu_at_time_for_D,SZA_at_time_for_D, "
              "Rd, Nd, TO3_D, time_for_A, Mu_at_time_for_A,  SZA_at_time_for_A, Ra, Na, TO3_A,  "
              "TO3AD, TO3CD ");
    EXPECT_EQ(CdaFilePath(vars.setup, MakeDateTime(2026, 12, 8, 17, 0, 0)),
              station.Home() + "data/CDAobs26342.061");
    // A missing: all six A fields and TO3AD are -90000; TO3CD is there.
    EXPECT_EQ(CdaDataLine(vars.setup, HandSet(), HandResult()),
              "BDR,2026-12-08,17:01:00,DS,17:00:30, 2.345,64.84, 150.0, 140.5, 312.346,"
              "17:01:30, 2.300,64.50, 120.0, 103.3, 290.000,"
              "-90000,-90000,-90000,-90000,-90000,-90000,-90000, 300.250");
    IcResult noCd = HandResult();
    noCd.cd.reset();
    noCd.wavelengths[kIcC]->ozone.reset();
    IcSet zenith = HandSet();
    zenith.directSun = false;
    const QString line = CdaDataLine(vars.setup, zenith, noCd);
    EXPECT_TRUE(line.startsWith("BDR,2026-12-08,17:01:00,ZenSky,17:00:30, 2.345,64.84, 150.0, "
                                "140.5,-90000,17:01:30,"));
    EXPECT_TRUE(line.endsWith(",-90000,-90000,")); // the last field keeps its comma
}

TEST(CdaFile, DayRecordOfASet) {
    TestStation station;
    StationState vars = LoadedVars(station);
    const QStringList lines = IcDayRecordLines(vars.setup, HandSet(), HandResult(),
                                               MakeDateTime(2026, 12, 8, 17, 5, 0), "C ", "     ");
    // The set at 17:01:00 UTC is 10:01 local (UTC-7), cut to the minute.
    EXPECT_EQ(lines, QStringList({"\"OBS\",\"12/08/2026\",\"100100\",\"I DSGQP\", 150.0, 000.2, "
                                  "120.0, 000.1, 000.0, 000.0,",
                                  " 150.0 120.0 000.0 000.0 000.0I DSGQP 08 100100 12 26 C " +
                                      QString(10, u' ') + "      061  BDR"}));
}

TEST(IntercomparisonSet, ComputationCapAndZenith) {
    TestStation station;
    StationState vars = LoadedVars(station);
    IcSet set = HandSet();
    set.wavelengths[kIcA] = IcMeasurement{MakeDateTime(2026, 12, 8, 17, 2, 30), 170.0, 0.1};
    const IcResult ds = ComputeIcSet(vars.setup, vars.calibration, set);
    ASSERT_TRUE(ds.ad && ds.cd);
    // The mean of the three times: 17:01:30.
    EXPECT_EQ(FormatDate(ds.meanUtc, u"HH:MM:SS"), "17:01:30");
    // Each N from the demo N-table (row of R = 150 is 133.2 for C).
    EXPECT_NEAR(ds.wavelengths[kIcC]->n, 133.2 - 0.3, 1e-9); // with the C lamp correction -0.3
    // The single-wavelength formula with its coefficients, C: 0.833 and 0.131.
    const IcWavelengthResult& c = *ds.wavelengths[kIcC];
    EXPECT_NEAR(*c.ozone,
                1000.0 * ((c.n / 100.0) / (0.833 * c.mu) -
                          0.131 * c.airMass * vars.setup.PressureRatio / c.mu),
                1e-9);
    // On the equator at noon (mu near 1.1), a dial near the end of the
    // table on A and C and near zero on D gives ozone far above 999: capped.
    StationState equator = vars;
    equator.setup.Latitude = 0;
    equator.setup.LatitudeRad = 0;
    IcSet wild;
    wild.wavelengths[kIcC] = IcMeasurement{MakeDateTime(2026, 12, 8, 19, 0, 30), 299.0, 0.1};
    wild.wavelengths[kIcD] = IcMeasurement{MakeDateTime(2026, 12, 8, 19, 1, 30), 1.0, 0.1};
    wild.wavelengths[kIcA] = IcMeasurement{MakeDateTime(2026, 12, 8, 19, 2, 30), 299.0, 0.1};
    const IcResult capped = ComputeIcSet(equator.setup, equator.calibration, wild);
    EXPECT_EQ(*capped.ad, 999.0);
    EXPECT_EQ(*capped.cd, 999.0);
    EXPECT_EQ(*capped.wavelengths[kIcC]->ozone, 999.0);
    // Zenith: the pair's zenith formula at mu of the mean of its two times.
    set.directSun = false;
    const IcResult zen = ComputeIcSet(vars.setup, vars.calibration, set);
    ASSERT_TRUE(zen.cd);
    const DateTimeValue cdTime = MakeDateTime(2026, 12, 8, 17, 1, 0);
    EXPECT_NEAR(*zen.cd,
                OzoneCDZenithAtMu(zen.wavelengths[kIcC]->n - zen.wavelengths[kIcD]->n,
                                  SunMu(vars.setup, cdTime), vars.setup.PressureRatio),
                1e-9);
    EXPECT_NE(*zen.cd, *ds.cd);
}

TEST(IntercomparisonSeriesTest, HalfMinuteAndSetsOnTheClock) {
    EXPECT_EQ(FormatDate(NextHalfMinute(MakeDateTime(2026, 12, 8, 12, 0, 29)), u"HH:MM:SS"),
              "12:00:30");
    EXPECT_EQ(FormatDate(NextHalfMinute(MakeDateTime(2026, 12, 8, 12, 0, 30)), u"HH:MM:SS"),
              "12:01:30");
    EXPECT_EQ(FormatDate(NextHalfMinute(MakeDateTime(2026, 12, 8, 12, 0, 0)), u"HH:MM:SS"),
              "12:00:30");

    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 16, 59, 40));
    ASSERT_TRUE(fakes.OpenEncoder());
    fakes.link.SetValue(150.0);
    vars.settings.AudioPrompts = 0;
    SeriesScreens screens;
    screens.stopAfter = 3;
    IntercomparisonSeries series(fakes.services, screens);
    screens.series = &series;
    EXPECT_EQ(FormatDate(series.NextSetTime(), u"HH:MM:SS"), "17:00:30");
    series.Go();
    ASSERT_EQ(series.SetStarts().size(), 3);
    EXPECT_EQ(FormatDate(series.SetStarts()[0], u"HH:MM:SS"), "17:00:30");
    EXPECT_EQ(FormatDate(series.SetStarts()[1], u"HH:MM:SS"), "17:04:30");
    EXPECT_EQ(FormatDate(series.SetStarts()[2], u"HH:MM:SS"), "17:08:30");
    EXPECT_EQ(screens.messages.first(), "Waiting for 17:00:30 in 50 Secs");
    EXPECT_TRUE(screens.messages.contains("Waiting to Start D at: 30 Secs"));
    EXPECT_EQ(screens.captions[0], "Countdown for C Intercomparison Ob.");
    EXPECT_EQ(screens.captions[1], "Taking Readings for C");
    // The first set made the file with its header; the others appended.
    const QStringList cda = SplitLines(DecodeWindows1252(station.Read("data/CDAobs26342.061")));
    ASSERT_EQ(cda.size(), 10);
    // Each wavelength's readings begin after its 19 s count-down from the
    // half-minute mark: C 17:00:49, D 17:01:49, A 17:02:49; their mean.
    EXPECT_TRUE(cda[7].startsWith("BDR,2026-12-08,17:01:49,DS,17:00:49,")) << cda[7].toStdString();
    EXPECT_TRUE(cda[9].startsWith("BDR,2026-12-08,17:09:49,DS,17:08:49,")) << cda[9].toStdString();
    const QString day = DecodeWindows1252(station.Read("data/D26342.061"));
    EXPECT_EQ(day.count("\"I DSGQP\""), 3);

    // Five minutes apart after the change.
    series.settings.spacingMinutes = 5;
    screens.stopAfter = 5;
    series.Shift(0);
    series.Go();
    ASSERT_EQ(series.SetStarts().size(), 5);
    EXPECT_EQ(FormatDate(series.SetStarts()[3], u"HH:MM:SS"), "17:12:30");
    EXPECT_EQ(FormatDate(series.SetStarts()[4], u"HH:MM:SS"), "17:17:30");
}

namespace {

class SeriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fakes.OpenEncoder());
        fakes.link.SetValue(150.0);
        vars.settings.AudioPrompts = 0;
        screens.series = &series;
    }
    QStringList Cda() const {
        return SplitLines(DecodeWindows1252(station.Read("data/CDAobs26342.061")));
    }
    QString Day() const { return DecodeWindows1252(station.Read("data/D26342.061")); }

    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes{vars, MakeDateTime(2026, 12, 8, 16, 59, 40)};
    SeriesScreens screens;
    IntercomparisonSeries series{fakes.services, screens};
};

} // namespace

TEST_F(SeriesTest, OffsetMovesEverySetAndEveryWavelength) {
    // +2 s before Go; during the wait for the first set the operator
    // presses F5 three times: -1 s, kept for the whole series.
    series.Shift(+2);
    EXPECT_EQ(FormatDate(series.NextSetTime(), u"HH:MM:SS"), "17:00:32");
    bool shifted = false;
    screens.onMessage = [&](const QString& text) {
        if (!shifted && text.startsWith("Waiting for")) {
            shifted = true;
            for (int i = 0; i < 3; ++i) {
                series.Shift(-1);
            }
        }
    };
    series.Go();
    EXPECT_EQ(series.OffsetSeconds(), -1);
    EXPECT_EQ(Times(series.SetStarts()), (QStringList{"17:00:29", "17:04:29"}));
    EXPECT_EQ(Times(series.WavelengthStarts()), (QStringList{"17:00:29", "17:01:29", "17:02:29",
                                                             "17:04:29", "17:05:29", "17:06:29"}));
    EXPECT_EQ(screens.messages.first(), "Waiting for 17:00:32 in 52 Secs");
    EXPECT_TRUE(screens.messages.contains("Waiting for 17:00:29 in 49 Secs"));
    // The readings of each wavelength begin 19 s after its mark.
    const QStringList cda = Cda();
    ASSERT_EQ(cda.size(), 9);
    EXPECT_TRUE(cda[7].startsWith("BDR,2026-12-08,17:01:48,DS,17:00:48,")) << cda[7].toStdString();
    EXPECT_EQ(Day().count("Intercomparison on the partner's clock: offset -1 s from the computer "
                          "clock"),
              1);
    EXPECT_EQ(FormatDate(series.NextSetTime(), u"HH:MM:SS"), "17:08:29");
}

TEST_F(SeriesTest, SettingsChangedInASetApplyFromTheNext) {
    bool changed = false;
    screens.onMessage = [&](const QString& text) {
        if (!changed && text == "Taking the C intercomparison Ob.") {
            changed = true;
            series.settings.directSun = false;
            series.settings.sky = "H ";
        }
    };
    series.Go();
    // The prompt of the first set's D and A still said direct sun.
    EXPECT_EQ(screens.captions.size(), 12);
    const QStringList cda = Cda();
    ASSERT_EQ(cda.size(), 9);
    EXPECT_TRUE(cda[7].contains(",DS,")) << cda[7].toStdString();
    EXPECT_TRUE(cda[8].contains(",ZenSky,")) << cda[8].toStdString();
    const QString day = Day();
    EXPECT_EQ(day.count("\"I DSGQP\""), 1);
    EXPECT_EQ(day.count("\"UMKEHR\""), 1);
    EXPECT_TRUE(day.contains(QRegularExpression("I DSGQP \\d\\d \\d{6} 12 26 C  ")));
    EXPECT_TRUE(day.contains(QRegularExpression("UMKEHR  \\d\\d \\d{6} 12 26 H  ")));
}

TEST_F(SeriesTest, ASetWithNothingMeasuredIsWrittenAtItsScheduledTime) {
    screens.escapeAll = true;
    screens.stopAfter = 1;
    series.Shift(+3);
    series.Go();
    const QStringList cda = Cda();
    ASSERT_EQ(cda.size(), 8);
    EXPECT_EQ(cda[7],
              "BDR,2026-12-08,17:00:33,DS," + QString("-90000,").repeated(18) + "-90000,-90000,");
    EXPECT_EQ(Day().count("\"I DSGQP\""), 1);
}

TEST_F(SeriesTest, ALateSetKeepsItsRealTimesAndSaysBy) {
    bool stalled = false;
    screens.onMessage = [&](const QString& text) {
        if (!stalled && text.startsWith("Waiting for")) {
            stalled = true;
            fakes.clock.Advance(55); // 16:59:40 -> 17:00:35, past the mark
        }
    };
    screens.stopAfter = 1;
    series.Go();
    EXPECT_EQ(Times(series.SetStarts()), QStringList{"17:00:35"});
    EXPECT_TRUE(Day().contains("Intercomparison set due at 17:00:30 started 5 s late"));
    // D and A are back on their marks.
    EXPECT_EQ(Times(series.WavelengthStarts()), (QStringList{"17:00:35", "17:01:30", "17:02:30"}));
}

TEST(CdaFile, ATornHeaderIsCompletedBeforeTheFirstSet) {
    TestStation station;
    StationState vars = LoadedVars(station);
    FakeClock clock(MakeDateTime(2026, 12, 8, 17, 5, 0));
    RecordingMessages messages;
    const QStringList header = CdaHeaderLines(vars.setup);
    // A power cut inside the header's fourth line.
    station.Write("data/CDAobs26342.061",
                  CrLfLines(header.mid(0, 3)) + header[3].left(10).toLatin1());
    ASSERT_TRUE(
        WriteIcSet(vars.setup, vars.day, clock, messages, HandSet(), HandResult(), "C ", "     "));
    const QStringList cda = SplitLines(DecodeWindows1252(station.Read("data/CDAobs26342.061")));
    ASSERT_EQ(cda.size(), 8);
    EXPECT_EQ(cda.mid(0, 7), header);
    EXPECT_TRUE(cda[7].startsWith("BDR,2026-12-08,17:01:00,DS,")) << cda[7].toStdString();
    // The next set appends its line alone.
    ASSERT_TRUE(
        WriteIcSet(vars.setup, vars.day, clock, messages, HandSet(), HandResult(), "C ", "     "));
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("data/CDAobs26342.061"))).size(), 9);
}
