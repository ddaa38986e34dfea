// SPDX-License-Identifier: GPL-3.0-or-later
// Quality flags: each rule at its limit and just past it, the limits of
// quality.cfg, the practice observation read back, and the command that
// lists a day's flags.
#include "observe/QualityFlags.h"
#include "records/DayFile.h"
#include "support/CliRun.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// A second line with sky codes (sky "3", no cloud) unless `sky` is false.
DayObservation Observation(const char* type, const char* time, double mu, double ozone,
                           double ozoneSpread, bool sky = true) {
    DayObservation obs;
    obs.date = "12/10/2026";
    obs.time = time;
    obs.type = type;
    obs.values = {20.0, 100.0, 80.0, 0.5, mu, ozone, ozoneSpread};
    obs.line2 = QString(54, u' ') + (sky ? "3       " : "        ") + "        ";
    return obs;
}

// 12/10/2026 (a function: the date library's epoch may not be set up yet
// while this file's constants are).
DateTimeValue TheDay() {
    return DateSerial(2026, 12, 10);
}

// Tests done a week before: never overdue on TheDay().
LampTestDates Recent() {
    return {{DateSerial(2026, 12, 3)}, {DateSerial(2026, 12, 3)}};
}

QStringList Flags(const DayObservation& obs, const QualityLimits& limits = {}) {
    QStringList out;
    for (const QualityFlag& f : ObservationFlags(obs, TheDay(), limits, Recent(), false)) {
        out << f.name + ": " + f.reason;
    }
    return out;
}

QStringList DayFlags(const QList<DayObservation>& day, const QualityLimits& limits = {}) {
    QStringList out;
    for (const FlaggedObservation& f : DayQualityFlags(day, TheDay(), limits, Recent(), false)) {
        QStringList names;
        for (const QualityFlag& flag : f.flags) {
            names << flag.name;
        }
        out << f.observation.time + " " + names.join(',');
    }
    return out;
}

} // namespace

TEST(QualityFlags, SpreadAirmassAndRangeAtTheirLimitsAndJustPast) {
    EXPECT_EQ(Flags(Observation("ADDSGQP", "120000", 3.5, 300.0, 2.5)), QStringList());
    EXPECT_EQ(
        Flags(Observation("ADDSGQP", "120000", 3.501, 300.0, 2.6)),
        QStringList({"spread: ozone spread 2.6 DU (limit 2.5)", "airmass: mu 3.501 (limit 3.5)"}));
    EXPECT_EQ(Flags(Observation("CDZC", "120000", 6.0, 300.0, 4.0)), QStringList());
    EXPECT_EQ(
        Flags(Observation("ADZB", "120000", 6.001, 300.0, 4.1)),
        QStringList({"spread: ozone spread 4.1 DU (limit 4.0)", "airmass: mu 6.001 (limit 6.0)"}));
    EXPECT_EQ(Flags(Observation("CDDSFI", "120000", 2.0, 100.0, 1.0)), QStringList());
    EXPECT_EQ(Flags(Observation("CDDSFI", "120000", 2.0, 700.0, 1.0)), QStringList());
    EXPECT_EQ(Flags(Observation("CDDSFI", "120000", 2.0, 99.9, 1.0)),
              QStringList({"range: ozone 99.9 DU outside 100-700 DU"}));
    EXPECT_EQ(Flags(Observation("CDDSFI", "120000", 2.0, 700.1, 1.0)),
              QStringList({"range: ozone 700.1 DU outside 100-700 DU"}));
    // Moon and C/C' carry no ozone: no ozone flags, however large.
    EXPECT_EQ(Flags(Observation("ADRMFI", "120000", 9.0, -99.9, -9.9)), QStringList());
    EXPECT_EQ(Flags(Observation("CCZB", "120000", 9.0, -99.9, 9.9)), QStringList());
    // Each limit from quality.cfg.
    QualityLimits tight;
    tight.spreadSun = 1.0;
    tight.airmassSun = 2.0;
    tight.lowestOzone = 250;
    EXPECT_EQ(
        Flags(Observation("ADDSGQP", "120000", 2.1, 240.0, 1.1), tight),
        QStringList({"spread: ozone spread 1.1 DU (limit 1.0)", "airmass: mu 2.100 (limit 2.0)",
                     "range: ozone 240.0 DU outside 250-700 DU"}));
}

TEST(QualityFlags, ZenithWithoutSkyCodesAndPracticeObservations) {
    EXPECT_EQ(Flags(Observation("CDZC", "120000", 2.0, 300.0, 1.0, false)),
              QStringList({"sky: zenith without sky codes"}));
    EXPECT_EQ(Flags(Observation("CCZB", "120000", 2.0, -99.9, -9.9, false)),
              QStringList({"sky: zenith without sky codes"}));
    EXPECT_EQ(Flags(Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0, false)), QStringList());
    DayObservation fake = Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0);
    fake.practice = true;
    EXPECT_EQ(Flags(fake), QStringList({"training: practice observation"}));
    const QList<QualityFlag> onPracticeDay = ObservationFlags(
        Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0), TheDay(), {}, Recent(), true);
    ASSERT_EQ(onPracticeDay.size(), 1);
    EXPECT_EQ(onPracticeDay[0].reason, "practice day (.999 file)");

    // The reader marks the observation that the operator's comment
    // announced, and only that one.
    TestStation station;
    StationState vars = LoadedVars(station);
    ObsRecord r;
    r.writtenLocal = MakeDateTime(2026, 12, 10, 12, 0, 0);
    r.obsLocal = r.writtenLocal;
    r.type = "ADDSGQP";
    r.mu = 2.0;
    r.ozone = 300.0;
    QStringList lines = DayFileHeader(vars.setup, r.writtenLocal);
    lines << CommentRecordLines({"RDE: Fake Observation follows."}, r.writtenLocal);
    lines << ObsRecordLines(r, vars.setup) << ObsRecordLines(r, vars.setup);
    station.Write("data/D26344.999", CrLfLines(lines));
    const DayFileContents read =
        ReadDayFile(station.DataDir() + "D26344.999", vars.setup.StationName, TheDay());
    ASSERT_EQ(read.observations.size(), 2);
    EXPECT_TRUE(read.observations[0].practice);
    EXPECT_FALSE(read.observations[1].practice);
}

TEST(QualityFlags, AdAndCdDirectSunWithinHalfAnHour) {
    // 309.0 against 300.0 is 3.00 %: at the limit. 309.1 is 3.03 %.
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0),
                        Observation("CDDSGQP", "123000", 2.0, 309.0, 1.0)}),
              QStringList({"120000 ", "123000 "}));
    const QList<FlaggedObservation> apart =
        DayQualityFlags({Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0),
                         Observation("CDDSFI", "123000", 2.0, 309.1, 1.0)},
                        TheDay(), {}, Recent(), false);
    ASSERT_EQ(apart[0].flags.size(), 1);
    EXPECT_EQ(apart[0].flags[0].reason, "AD 300.0 at 12:00, CD 309.1 at 12:30: 3.03 % (limit 3.0)");
    EXPECT_EQ(apart[1].flags[0].reason, apart[0].flags[0].reason);
    // One second past the half hour: no pair. Zenith values never pair.
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0),
                        Observation("CDDSGQP", "123001", 2.0, 330.0, 1.0),
                        Observation("CDZB", "120500", 2.0, 330.0, 1.0)}),
              QStringList({"120000 ", "123001 ", "120500 "}));
    QualityLimits loose;
    loose.adcdPercent = 4.0;
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0),
                        Observation("CDDSGQP", "115930", 2.0, 291.0, 1.0)},
                       loose),
              QStringList({"120000 ", "115930 "})); // -3.00 %
}

TEST(QualityFlags, OutliersFromTheClassMedianWithTwoThreeAndFourValues) {
    // Two values: no median to judge by.
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "100000", 2.0, 300.0, 1.0),
                        Observation("ADDSGQP", "110000", 2.0, 400.0, 1.0)}),
              QStringList({"100000 ", "110000 "}));
    // Three: median 300; 315.0 is 5.00 % (at the limit), 315.1 is 5.03 %.
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "100000", 2.0, 300.0, 1.0),
                        Observation("ADDSGQP", "110000", 2.0, 300.0, 1.0),
                        Observation("ADDSGQP", "120000", 2.0, 315.0, 1.0)}),
              QStringList({"100000 ", "110000 ", "120000 "}));
    const QList<FlaggedObservation> three =
        DayQualityFlags({Observation("ADDSGQP", "100000", 2.0, 300.0, 1.0),
                         Observation("ADDSGQP", "110000", 2.0, 300.0, 1.0),
                         Observation("ADDSGQP", "120000", 2.0, 315.1, 1.0)},
                        TheDay(), {}, Recent(), false);
    ASSERT_EQ(three[2].flags.size(), 1);
    EXPECT_EQ(three[2].flags[0].reason, "ozone 315.1 is 5.03 % from the median 300.0 (limit 5.0)");
    // Four: median (302 + 304) / 2 = 303; 320 is 5.61 % above it. Another
    // class's values are not counted.
    EXPECT_EQ(DayFlags({Observation("ADDSGQP", "100000", 2.0, 300.0, 1.0),
                        Observation("ADDSGQP", "110000", 2.0, 302.0, 1.0),
                        Observation("ADDSGQP", "120000", 2.0, 304.0, 1.0),
                        Observation("ADDSGQP", "130000", 2.0, 320.0, 1.0),
                        Observation("ADZC", "140000", 2.0, 250.0, 1.0)}),
              QStringList({"100000 ", "110000 ", "120000 ", "130000 outlier", "140000 "}));
}

TEST(QualityFlags, OverdueByTheLampTestsOfTheTime) {
    // Both tests on 11/01/2026: 39 days on 12/10 is not due (past the first
    // week), 40 days on 12/11 is; on 12/05 (first week) 34 days is.
    const LampTestDates november{{DateSerial(2026, 11, 1)}, {DateSerial(2026, 11, 1)}};
    auto overdue = [&](DateTimeValue day, const LampTestDates& tests) {
        QStringList out;
        for (const QualityFlag& f : ObservationFlags(
                 Observation("ADDSGQP", "120000", 2.0, 300.0, 1.0), day, {}, tests, false)) {
            out << f.reason;
        }
        return out;
    };
    EXPECT_EQ(overdue(DateSerial(2026, 12, 10), november), QStringList());
    EXPECT_EQ(overdue(DateSerial(2026, 12, 11), november),
              QStringList({"lamp tests overdue (mercury 40 days, standard 40 days)"}));
    EXPECT_EQ(overdue(DateSerial(2026, 12, 5), november),
              QStringList({"lamp tests overdue (mercury 34 days, standard 34 days)"}));
    // A mercury test on 12/09 helps the days after it, not those before.
    LampTestDates later = november;
    later.mercury << DateSerial(2026, 12, 9);
    EXPECT_EQ(overdue(DateSerial(2026, 12, 11), later),
              QStringList({"lamp tests overdue (mercury 2 days, standard 40 days)"}));
    later.standard << DateSerial(2026, 12, 9);
    EXPECT_EQ(overdue(DateSerial(2026, 12, 11), later), QStringList());
    EXPECT_EQ(overdue(DateSerial(2026, 12, 5), later).size(), 1);
    // No test known: never due.
    EXPECT_EQ(overdue(DateSerial(2026, 12, 11), LampTestDates{}), QStringList());
}

TEST(QualityFlags, QualityCfgLimitsAndItsRefusals) {
    TestStation station;
    const QString file = station.ConfigDir() + "quality.cfg";
    const Result<QualityLimits> none = ReadQualityLimits(station.ConfigDir());
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->spreadSun, 2.5);
    EXPECT_EQ(none->airmassZenith, 6.0);
    station.Write("config/quality.cfg", "spread_sun 2.0\r\nspread_zenith 3.5\r\n\r\n"
                                        "airmass_sun 3.0\r\nairmass_zenith 5.0\r\n"
                                        "adcd_percent 2\r\noutlier_percent 4\r\n"
                                        "ozone_low 150\r\nozone_high 600\r\n");
    const Result<QualityLimits> all = ReadQualityLimits(station.ConfigDir());
    ASSERT_TRUE(all.ok()) << all.error().message.toStdString();
    EXPECT_EQ(all->spreadSun, 2.0);
    EXPECT_EQ(all->spreadZenith, 3.5);
    EXPECT_EQ(all->airmassSun, 3.0);
    EXPECT_EQ(all->airmassZenith, 5.0);
    EXPECT_EQ(all->adcdPercent, 2.0);
    EXPECT_EQ(all->outlierPercent, 4.0);
    EXPECT_EQ(all->lowestOzone, 150.0);
    EXPECT_EQ(all->highestOzone, 600.0);
    const std::pair<QByteArray, QString> bad[] = {
        {"spread_sun 2.0\r\nspread_zenith four\r\n",
         ": line 2: spread_zenith is not a number: \"four\""},
        {"adcd_percent -1\r\n", ": line 1: adcd_percent is negative: -1"},
        {"spread_moon 3\r\n", ": line 1: unknown item \"spread_moon\""},
        {"ozone_low 700\r\n", ": ozone_low is not below ozone_high"},
    };
    for (const auto& [text, reason] : bad) {
        station.Write("config/quality.cfg", text);
        const Result<QualityLimits> refused = ReadQualityLimits(station.ConfigDir());
        ASSERT_FALSE(refused.ok()) << text.toStdString();
        EXPECT_EQ(refused.error().message, file + reason);
    }
    // The command refuses to flag by limits it could not read.
    const CliResult r = RunCli(station, {"flags", "12/10/2026"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, file + ": ozone_low is not below ozone_high\n");
}

TEST(QualityFlags, TheCommandListsEachObservationAsTextAndJson) {
    TestStation station;
    StationState vars = LoadedVars(station);
    auto obs = [&](int hour, const char* type, double mu, double ozone, double spread) {
        ObsRecord r;
        r.writtenLocal = MakeDateTime(2026, 12, 10, hour, 0, 0);
        r.obsLocal = r.writtenLocal;
        r.type = type;
        r.mu = mu;
        r.ozone = ozone;
        r.ozoneSpread = spread;
        return ObsRecordLines(r, vars.setup);
    };
    // Lamp tests of 12/01/2026 in inst.cfg: not overdue on 12/10.
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                     "\"12/01/2026\",\"12/01/2026\"\r\n");
    QStringList lines = DayFileHeader(vars.setup, MakeDateTime(2026, 12, 10, 8, 0, 0));
    lines << obs(10, "ADDSGQP", 2.0, 300.0, 1.0) << obs(11, "ADDSGQP", 2.0, 301.0, 3.1);
    station.Write("data/D26344.999", CrLfLines(lines));
    CliResult r = RunCli(station, {"flags", "12/10/2026"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "10:00:00 ADDSGQP mu 2.000 ozone 300.0 training: practice day (.999 file)\n"
                     "11:00:00 ADDSGQP mu 2.000 ozone 301.0 spread: ozone spread 3.1 DU (limit "
                     "2.5); training: practice day (.999 file)\n");
    r = RunCli(station, {"flags", "12/10/2026", "--json"});
    EXPECT_EQ(r.code, 0);
    const QJsonArray day = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(day.size(), 2);
    const QJsonObject second = day[1].toObject();
    EXPECT_EQ(second["time"].toString(), "11:00:00");
    EXPECT_EQ(second["type"].toString(), "ADDSGQP");
    EXPECT_EQ(second["mu"].toDouble(), 2.0);
    EXPECT_EQ(second["ozone"].toDouble(), 301.0);
    const QJsonArray flags = second["flags"].toArray();
    ASSERT_EQ(flags.size(), 2);
    EXPECT_EQ(flags[0].toObject()["flag"].toString(), "spread");
    EXPECT_EQ(flags[0].toObject()["reason"].toString(), "ozone spread 3.1 DU (limit 2.5)");
    // A day without its file: named, exit 1.
    r = RunCli(station, {"flags", "12/11/2026"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("D26345.999")) << r.err.toStdString();
}
