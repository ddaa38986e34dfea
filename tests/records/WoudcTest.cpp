// SPDX-License-Identifier: GPL-3.0-or-later
// The WOUDC TotalOzoneObs file of a hand-made day, byte for byte against
// text written by hand from the format's rules; and a missing woudc.cfg.
#include "records/DayFile.h"
#include "records/WoudcExport.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {
QStringList Obs(const StationState& vars, int hour, const char* type, double mu, double ozone,
                double spread, std::array<QString, 4> sky = {"", "", "", ""},
                const QString& special = "") {
    ObsRecord r;
    r.writtenLocal = MakeDateTime(2006, 3, 24, hour, 0, 0);
    r.obsLocal = r.writtenLocal;
    r.type = type;
    r.mu = mu;
    r.ozone = ozone;
    r.ozoneSpread = spread;
    r.sky = std::move(sky);
    r.special = special;
    return ObsRecordLines(r, vars.setup);
}
} // namespace

TEST(Woudc, TotalOzoneObsFileOfADay) {
    TestStation station;
    StationState vars = LoadedVars(station);
    QStringList day = DayFileHeader(vars.setup, MakeDateTime(2006, 3, 24, 8, 0, 0));
    day << Obs(vars, 9, "ADDSGQP", 2.178, 289.5, 2.3) << Obs(vars, 10, "ADDSGQP", 1.9, 295.5, 1.0)
        << Obs(vars, 11, "CDDSFI", 1.75, 301.0, 0.5)
        << Obs(vars, 12, "ADZC", 1.7, 310.25, 3.0, {"3", "1", "TN", "U"})
        << Obs(vars, 13, "CCZB", 1.8, -99.9, -9.9) << Obs(vars, 14, "ADRMFI", 2.0, -99.9, -9.9)
        << Obs(vars, 15, "ADDSGQP", 2.0, 750.0, 1.0)
        << Obs(vars, 16, "ADZC", 2.0, 305.0, 2.0, {"3", "1", "M ", "U"}, "FOG   ");
    station.Write("data/D06083.999", CrLfLines(day));
    station.Write("config/woudc.cfg", "067\r\nUSA\r\nBLD\r\nMSX\r\n\"A. Scientist\"\r\nM1\r\n");
    const Result<WoudcStation> read = ReadWoudcStation(vars.setup);
    ASSERT_TRUE(read.ok()) << read.error().message.toStdString();
    const WoudcStation& ids = *read;
    const DayFileContents contents = ReadDayFile(station.DataDir() + "D06083.999",
                                                 vars.setup.StationName, DateSerial(2006, 3, 24));
    ASSERT_EQ(contents.status, DayFileStatus::Ok);
    const WoudcFile file =
        MakeWoudcFile(vars.setup, ids, "D06083.999", contents, DateSerial(2006, 3, 24),
                      MakeDateTime(2006, 3, 25, 2, 0, 0));
    EXPECT_EQ(file.name, "20060324.Dobson.M1.061.MSX.csv");
    EXPECT_EQ(file.exported, 5);
    EXPECT_EQ(file.outOfRange, 1);
    EXPECT_EQ(file.text,
              QByteArray("*Quillon 1.0: day file D06083.999\n"
                         "*1 observation(s) outside 100-700 DU left out\n"
                         "#CONTENT\n"
                         "Class,Category,Level,Form\n"
                         "WOUDC,TotalOzoneObs,1.0,1\n"
                         "\n"
                         "#DATA_GENERATION\n"
                         "Date,Agency,Version,ScientificAuthority\n"
                         "2006-03-25,MSX,1.0,A. Scientist\n"
                         "\n"
                         "#PLATFORM\n"
                         "Type,ID,Name,Country,GAW_ID\n"
                         "STN,067,\"Boulder, Colorado\",USA,BLD\n"
                         "\n"
                         "#INSTRUMENT\n"
                         "Name,Model,Number\n"
                         "Dobson,M1,061\n"
                         "\n"
                         "#LOCATION\n"
                         "Latitude,Longitude,Height\n"
                         "40.04,-105.25,1689\n"
                         "\n"
                         "#TIMESTAMP\n"
                         "UTCOffset,Date,Time\n"
                         "-07:00:00,2006-03-24,\n"
                         "\n"
                         "#OBSERVATIONS\n"
                         "Time,WLCode,ObsCode,Airmass,ColumnO3,StdDevO3,ColumnSO2,StdDevSO2\n"
                         "09:00:00,0,0,2.178,289.5,2.3,,\n"
                         "10:00:00,0,0,1.900,295.5,1.0,,\n"
                         "11:00:00,6,0,1.750,301.0,0.5,,\n"
                         "12:00:00,0,3,1.700,310.3,3.0,,\n"
                         "16:00:00,0,7,2.000,305.0,2.0,,\n"
                         "\n"
                         "#DAILY_SUMMARY\n"
                         "WLCode,ObsCode,nObs,MeanO3,StdDevO3\n"
                         "0,0,2,292.5,4.2\n"
                         "0,3,1,310.3,\n"
                         "0,7,1,305.0,\n"
                         "6,0,1,301.0,\n"));
}

TEST(Woudc, CodesOfCloudyZenithRecords) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    auto codes = [&](const char* type, std::array<QString, 4> sky, const QString& special) {
        DayObservation obs;
        obs.type = type;
        obs.line2 = Obs(vars, 12, type, 2.0, 300.0, 1.0, std::move(sky), special)[1];
        int wl = -1;
        int code = -1;
        return WoudcCodes(obs, &wl, &code) ? QString("%1/%2").arg(wl).arg(code) : QString("out");
    };
    EXPECT_EQ(codes("CDZC", {"3", "1", "TK", "V"}, ""), "2/6"); // texture V before thickness
    EXPECT_EQ(codes("CDZC", {"3", "1", "TK", "U"}, "RAIN  "), "2/6");
    EXPECT_EQ(codes("CDZC", {"3", "1", "TK", "U"}, "SNOW  "), "2/6");
    EXPECT_EQ(codes("CDZC", {"3", "1", "TK", "V"}, "FOG   "), "2/7"); // FOG first
    EXPECT_EQ(codes("CDZC", {"3", "1", "TK", "U"}, ""), "2/5");
    EXPECT_EQ(codes("CDZB", {"", "", "", ""}, ""), "2/2");
    EXPECT_EQ(codes("ADDSFI", {"", "", "", ""}, ""), "4/0");
    EXPECT_EQ(codes("CCZC", {"", "", "", ""}, ""), "out");
    EXPECT_EQ(codes("CDRMFI", {"", "", "", ""}, ""), "out");
}

TEST(Woudc, TheCommandNeedsWoudcCfg) {
    TestStation station;
    station.Remove("config/woudc.cfg");
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "woudc", "03/24/2006"});
    cli.waitForFinished(30000);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError())
                    .startsWith(station.Home() + "config/woudc.cfg: File not found"));
}

TEST(Woudc, IdentifiersAreCheckedAndTheItemNamed) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    const QString file = station.Home() + "config/woudc.cfg";
    const QByteArray good[] = {"067", "USA", "BLD", "MSX", "\"A. Scientist\"", "M1", "1.0"};
    struct Case {
        int item;
        QByteArray value;
        QString reason;
    };
    const Case cases[] = {
        {1, "67a", "item 1 (platform id) is not 1 to 5 digits: \"67a\""},
        {2, "usa", "item 2 (country) is not an ISO 3166 code of three capitals: \"usa\""},
        {4, "MS/X", "item 4 (agency) is not 1 to 32 letters, digits, '-' or '_': \"MS/X\""},
        {6, "\"\"", "item 6 (instrument model) is not 1 to 32 letters, digits, '-' or '_': \"\""},
        {7, "one", "item 7 (data version) is not a version MAJOR.MINOR: \"one\""},
    };
    for (const Case& c : cases) {
        QByteArray text;
        for (int i = 0; i < 7; ++i) {
            text += (i + 1 == c.item ? c.value : good[i]) + "\r\n";
        }
        station.Write("config/woudc.cfg", text);
        const Result<WoudcStation> read = ReadWoudcStation(vars.setup);
        ASSERT_FALSE(read.ok()) << c.item;
        EXPECT_EQ(read.error().kind, ErrorKind::Station) << c.item;
        EXPECT_EQ(read.error().message, file + ": " + c.reason) << c.item;
    }
    // A UTF-16 file: its NUL bytes never reach a file name.
    station.Write("config/woudc.cfg", QByteArray("0\0"
                                                 "6\0"
                                                 "7\0\r\0\n\0",
                                                 10));
    const Result<WoudcStation> utf16 = ReadWoudcStation(vars.setup);
    ASSERT_FALSE(utf16.ok());
    EXPECT_TRUE(utf16.error().message.startsWith(file + ": "))
        << utf16.error().message.toStdString();
    // The good file reads.
    QByteArray text;
    for (const QByteArray& item : good) {
        text += item + "\r\n";
    }
    station.Write("config/woudc.cfg", text);
    EXPECT_TRUE(ReadWoudcStation(vars.setup).ok());
}

TEST(Woudc, ADateTypedWrongOrADirectoryThatCannotTakeTheFileIsNamed) {
    TestStation station;
    StationState vars = LoadedVars(station);
    station.Write("data/D06083.999",
                  CrLfLines(DayFileHeader(vars.setup, MakeDateTime(2006, 3, 24, 8, 0, 0)) +
                            Obs(vars, 12, "ADDSGQP", 2.0, 300.0, 1.0)));
    const Result<WoudcWritten> typo = ExportWoudcDayOf(vars.setup, "13/45/2006", 38800.5, "/tmp/");
    ASSERT_FALSE(typo.ok());
    EXPECT_EQ(typo.error().message, "13/45/2006 is not a date of the form MM/DD/YYYY.");
    const QString gone = station.Home() + "no-such-dir/";
    const Result<WoudcWritten> unwritable =
        ExportWoudcDayOf(vars.setup, "03/24/2006", 38800.5, gone);
    ASSERT_FALSE(unwritable.ok());
    EXPECT_EQ(unwritable.error().kind, ErrorKind::Unwritable);
    EXPECT_TRUE(unwritable.error().message.startsWith(gone + "20060324.Dobson."))
        << unwritable.error().message.toStdString();
    const Result<WoudcWritten> written =
        ExportWoudcDayOf(vars.setup, "03/24/2006", 38800.5, station.DataDir());
    ASSERT_TRUE(written.ok()) << written.error().message.toStdString();
    EXPECT_TRUE(QFileInfo::exists(written->path));
    EXPECT_TRUE(written->leftOut.isEmpty());
}

TEST(Woudc, RecordsThatCannotBeReadAreNamedAndCountedInTheFile) {
    TestStation station;
    StationState vars = LoadedVars(station);
    QStringList day = DayFileHeader(vars.setup, MakeDateTime(2006, 3, 24, 8, 0, 0));
    day << Obs(vars, 9, "ADDSGQP", 2.0, 300.0, 1.0)                      // lines 6 and 7
        << "OBS,03/24/2006,100000,ADDSGQP,23.0,x,45.6,0.3,2.0,300.0,1.0" // line 8
        << " 170.0 170.0 170.0 080.0 080.0ADDSGQP 24 100000 03 06"
        << Obs(vars, 11, "ADDSGQP", 2.0, 310.0, 1.0);
    station.Write("data/D06083.999", CrLfLines(day));
    QTemporaryDir out;
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI),
              {"--home", station.Home(), "woudc", "03/24/2006", "--out", out.path()});
    ASSERT_TRUE(cli.waitForFinished(30000));
    // The file is valid without the record: written, and exit 0.
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()),
              "D06083.999: The record on line 8 cannot be read: OBS record whose numbers are "
              "not all numbers.\n");
    const QString path = QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("*Quillon 1.0: day file D06083.999\n"
                                "*1 record(s) of the day file could not be read and are left out\n"
                                "#CONTENT\n"));
    EXPECT_EQ(text.count(",0,0,2.000,"), 2); // the two whole observations
}

TEST(Woudc, ADayWithNothingTheArchiveTakesWritesNoFile) {
    TestStation station;
    StationState vars = LoadedVars(station);
    const QStringList header = DayFileHeader(vars.setup, MakeDateTime(2006, 3, 24, 8, 0, 0));
    const QString out = station.Home() + "out/";
    QDir().mkpath(out);
    // Only C/C' zenith and moon records: nothing with an ozone value.
    station.Write("data/D06083.999", CrLfLines(header + Obs(vars, 13, "CCZB", 1.8, -99.9, -9.9) +
                                               Obs(vars, 14, "ADRMFI", 2.0, -99.9, -9.9)));
    const Result<WoudcWritten> none = ExportWoudcDayOf(vars.setup, "03/24/2006", 38800.5, out);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().message, "no observation of 03/24/2006 can be sent to WOUDC (only "
                                    "C/C' zenith or moon observations, or none)");
    // Every value out of range.
    station.Write("data/D06083.999", CrLfLines(header + Obs(vars, 9, "ADDSGQP", 2.0, 750.0, 1.0) +
                                               Obs(vars, 10, "ADDSGQP", 2.0, 95.0, 1.0)));
    const Result<WoudcWritten> outOfRange =
        ExportWoudcDayOf(vars.setup, "03/24/2006", 38800.5, out);
    ASSERT_FALSE(outOfRange.ok());
    EXPECT_EQ(outOfRange.error().message, "no observation of 03/24/2006 can be sent to WOUDC (2 "
                                          "outside 100-700 DU, no other)");
    EXPECT_TRUE(QDir(out).isEmpty());
    // The command says so and exits 1.
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI),
              {"--home", station.Home(), "woudc", "03/24/2006", "--out", out});
    cli.waitForFinished(30000);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()),
              "no observation of 03/24/2006 can be sent to WOUDC (2 outside 100-700 DU, no "
              "other)\n");
    EXPECT_TRUE(QDir(out).isEmpty());
}

TEST(Woudc, FlaggedObservationsLeftOutOnRequestAndNamed) {
    TestStation station;
    // A station with its encoder: day files of instrument 061, no practice.
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/null\r\n");
    StationState vars = LoadedVars(station);
    ASSERT_TRUE(vars.setup.EncoderInUse);
    QStringList day = DayFileHeader(vars.setup, MakeDateTime(2006, 3, 24, 8, 0, 0));
    day << Obs(vars, 10, "ADDSGQP", 2.0, 300.0, 1.0) << Obs(vars, 11, "ADDSGQP", 2.0, 301.0, 3.1)
        << Obs(vars, 12, "CDZC", 2.0, 305.0, 2.0); // no sky codes
    station.Write("data/D06083.061", CrLfLines(day));
    QTemporaryDir out;
    auto woudc = [&](QStringList extra) {
        QProcess cli;
        cli.start(QStringLiteral(QUILLON_CLI), QStringList{"--home", station.Home(), "woudc",
                                                           "03/24/2006", "--out", out.path()} +
                                                   extra);
        cli.waitForFinished(30000);
        const QString path = QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return std::make_pair(cli.exitCode(), QString::fromUtf8(file.readAll()));
    };
    auto rows = [](const QString& text) {
        return text.split('\n').filter(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d,")).size();
    };
    const auto [allCode, all] = woudc({});
    EXPECT_EQ(allCode, 0);
    EXPECT_EQ(rows(all), 3);
    EXPECT_FALSE(all.contains("left out as flagged"));
    const auto [code, kept] = woudc({"--leave-out-flagged"});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(rows(kept), 1);
    EXPECT_TRUE(kept.startsWith("*Quillon 1.0: day file D06083.061\n"
                                "*left out as flagged: 11:00:00 ADDSGQP: spread\n"
                                "*left out as flagged: 12:00:00 CDZC: sky\n"
                                "#CONTENT\n"))
        << kept.toStdString();
    EXPECT_TRUE(
        kept.contains("\n#DAILY_SUMMARY\nWLCode,ObsCode,nObs,MeanO3,StdDevO3\n0,0,1,300.0,\n"))
        << kept.toStdString();

    // Everything flagged: no file, and why.
    station.Write("config/quality.cfg", "spread_sun 0.5\r\n");
    QProcess cli;
    cli.start(QStringLiteral(QUILLON_CLI), {"--home", station.Home(), "woudc", "03/24/2006",
                                            "--out", out.path(), "--leave-out-flagged"});
    cli.waitForFinished(30000);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()),
              "no observation of 03/24/2006 can be sent to WOUDC (3 flagged observation(s) left "
              "out, no other)\n");
}

TEST(Woudc, TheNextDataVersionRaisesTheMinorNumber) {
    EXPECT_EQ(NextDataVersion("1.0"), "1.1");
    EXPECT_EQ(NextDataVersion("2.9"), "2.10");
    EXPECT_EQ(NextDataVersion("10.99"), "10.100");
    EXPECT_TRUE(IsDataVersion("1.10"));
    EXPECT_FALSE(IsDataVersion("1"));
    EXPECT_FALSE(IsDataVersion("1.0.1"));
    EXPECT_FALSE(IsDataVersion("v1.0"));
}
