// SPDX-License-Identifier: GPL-3.0-or-later
// The example station as it is shipped, days and histories included: every
// command that reads it finds real data and no fault.
#include "support/CliRun.h"
#include "support/TestStation.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon::test;

namespace {

class ExampleStation : public ::testing::Test {
protected:
    CliResult Cli(const QStringList& args) { return RunCli(station_, args); }
    QString Path(const QString& relative) const { return station_.Home() + relative; }
    TestStation station_{TestStation::Contents::Everything};
};

} // namespace

TEST_F(ExampleStation, EveryCommandShowsItsRealDataWithoutAFault) {
    CliResult r = Cli({"params"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // The days of the lamp tests, then three days of observations.
    r = Cli({"days"});
    EXPECT_EQ(r.code, 0);
    const QStringList days = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(days.size(), 5) << r.out.toStdString();
    EXPECT_TRUE(days[0].startsWith("11/28/2026 D26332.999 "));
    EXPECT_TRUE(days[1].startsWith("11/30/2026 D26334.999 "));
    EXPECT_TRUE(days[2].startsWith("12/01/2026 D26335.999 "));
    EXPECT_TRUE(days[4].startsWith("12/03/2026 D26337.999 "));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    for (const char* day : {"12/01/2026", "12/02/2026", "12/03/2026"}) {
        r = Cli({"summary", day, "--full"});
        EXPECT_EQ(r.code, 0) << day;
        EXPECT_TRUE(r.err.isEmpty()) << day << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("2 ADDS OBS Average Ozone=")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("\nOne CD Zenith Obs with O3="));
    }

    r = Cli({"qreview"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("There was one test in the file")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Date: 11/28/2026 Difference: ")) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    QTemporaryDir out;
    // A WOUDC file of another day that a kill left half-written goes.
    QFile killed(out.filePath(".20261130.Dobson.Beck.065.NOAA-CMDL.csv.part"));
    ASSERT_TRUE(killed.open(QIODevice::WriteOnly));
    killed.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(0, 0)),
                       QFileDevice::FileModificationTime);
    killed.close();
    r = Cli({"woudc", "12/02/2026", "--out", out.path()});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(killed.exists());
    QFile woudc(r.out.trimmed());
    ASSERT_TRUE(woudc.open(QIODevice::ReadOnly)) << r.out.toStdString();
    // Seven of the eight observations have an ozone; C/C' has none.
    int observations = 0;
    for (const QByteArray& line : woudc.readAll().split('\n')) {
        observations +=
            QRegularExpression("^\\d\\d:\\d\\d:\\d\\d,").match(QString(line)).hasMatch();
    }
    EXPECT_EQ(observations, 7);

    r = Cli({"reprocess", Path("data/D26335.999"), Path("data/D26336.999"), Path("data/D26337.999"),
             "--calibration", Path("config")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.count('\n'), 1 + 21); // the header and seven records a day
    // Every day was recorded with the calibration the station holds now:
    // nothing to say about it. The records keep the dial to a tenth, so a
    // reading of 116.15 is reprocessed as 116.2: the CD pairs (ozone ten
    // times N over 0.459 mu) move by up to half a DU, the AD pairs by a
    // tenth. The 21 differences as the CSV rounds them: ten of 0.0, two of
    // -0.1, two of -0.3, six of -0.4 and one of -0.5, -3.7 in all; unrounded
    // their mean is -0.17.
    EXPECT_EQ(r.err, "21 records, mean difference -0.17 DU\n");
    double sum = 0;
    for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts).mid(1)) {
        sum += line.section(',', 6, 6).toDouble();
    }
    EXPECT_NEAR(sum, -3.7, 1e-9);

    // 12/02's doubtful observations: the AD and CD direct sun twenty
    // minutes apart, and the CD direct sun through haze.
    r = Cli({"flags", "12/02/2026"});
    EXPECT_EQ(r.code, 0);
    const QStringList flagged =
        r.out.split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("adcd|spread"));
    ASSERT_EQ(flagged.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(flagged[0].startsWith("09:31:05 ADDSGQP ")) << r.out.toStdString();
    EXPECT_TRUE(flagged[1].startsWith("09:51:05 CDDSGQP ")) << r.out.toStdString();
    EXPECT_TRUE(flagged[2].startsWith("13:21:05 CDDSGQP ")) << r.out.toStdString();
    EXPECT_TRUE(flagged[2].contains("spread: ozone spread 3.4 DU (limit 2.5)"));

    r = Cli({"plan", "2026-12-01"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("ADDSGQP"));
}

TEST_F(ExampleStation, ItsConfigurationHistoriesAndDaysTellOneStory) {
    // The mercury test of 11/28 and the standard lamp test of 11/30: in
    // their histories, in their days' files, and as the last tests and
    // lamp corrections that inst.cfg and lampcorr.061 hold.
    const QByteArray hg = station_.Read("history/hghist.061");
    const QByteArray lamp = station_.Read("history/lamphist.061");
    EXPECT_TRUE(hg.startsWith("HGLAMP,11/28/2026,")) << hg.toStdString();
    EXPECT_EQ(hg.count("HGLAMP"), 1);
    EXPECT_TRUE(lamp.startsWith("\"STDLAMP\",\"11/30/2026\",")) << lamp.toStdString();
    EXPECT_EQ(lamp.count("STDLAMP"), 1);
    EXPECT_TRUE(station_.Read("data/D26332.999").contains("HGLAMP,11/28/2026,"));
    EXPECT_TRUE(station_.Read("data/D26334.999").contains("\"STDLAMP\",\"11/30/2026\","));
    const CliResult params = Cli({"params"});
    EXPECT_TRUE(params.out.contains("Last Mercury Test on:  11/28/2026\n"));
    EXPECT_TRUE(params.out.contains("Last Standard lamp Test on:  11/30/2026\n"));
    EXPECT_TRUE(station_.Read("config/lampcorr.061").startsWith("\"11/30/2026\"\r\n\"STD-61A\""));
    // Each day of observations names the corrections of 11/30, and its
    // cloudy zenith the cloud the operator saw.
    for (const char* day : {"D26335.999", "D26336.999", "D26337.999"}) {
        const QByteArray text = station_.Read(QStringLiteral("data/") + day);
        EXPECT_TRUE(text.contains(" Lampcorr 11/30/2026 STD-61A ")) << day;
        EXPECT_TRUE(text.contains("CDZC    ")) << day;
        EXPECT_TRUE(QRegularExpression("CDZC    \\d\\d \\d{6} 12 26    M TN U ")
                        .match(QString::fromLatin1(text))
                        .hasMatch())
            << day;
    }
}
