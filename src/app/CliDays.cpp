// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliDays.h"

#include "app/CliSupport.h"
#include "config/GetInfo.h"
#include "observe/DayPlan.h"
#include "observe/QualityFlags.h"
#include "observe/Reprocess.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "records/WoudcExport.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/SystemClock.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace quillon::cli {

namespace {

// The command's one positional date "MM/DD/YYYY"; a text that is none is
// said on stderr.
std::optional<DateTimeValue> DayArgument(const QCommandLineParser& parser) {
    const QString text = cli::Positionals(parser).first();
    DateTimeValue date = 0;
    if (!ParseMdy(text, &date)) {
        Err() << "not a date of the form MM/DD/YYYY: " << text << Qt::endl;
        return std::nullopt;
    }
    return date;
}

// The directory of --dir (other days), or the station's data directory.
QString DayDirectory(const QCommandLineParser& parser, const StationSetup& setup) {
    QString directory = parser.isSet(QStringLiteral("dir"))
                            ? QDir(cli::OptionValue(parser, QStringLiteral("dir"))).absolutePath()
                            : setup.DataDir;
    if (!directory.endsWith(u'/')) {
        directory += u'/';
    }
    return directory;
}

} // namespace

int SummaryCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("brief"), QStringLiteral("the main screen's short texts")});
    parser.addOption({QStringLiteral("full"), QStringLiteral("the long texts, no file")});
    parser.addOption({QStringLiteral("dir"), QStringLiteral("a directory of other days"),
                      QStringLiteral("DIR")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1) {
        return Usage();
    }
    SummaryDetail detail = SummaryDetail::WithFile;
    if (parser.isSet(QStringLiteral("brief"))) {
        detail = SummaryDetail::Brief;
    } else if (parser.isSet(QStringLiteral("full"))) {
        detail = SummaryDetail::Full;
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    SystemClock clock;
    SummaryTexts texts;
    const QString date = cli::Positionals(parser).first();
    const bool otherDir = parser.isSet(QStringLiteral("dir"));
    const QString directory = DayDirectory(parser, vars.setup);
    // A day without its file has no summary: "no observations" would say
    // that the day was observed and nothing came of it. (A date that is
    // none is the summary's own refusal.)
    DateTimeValue day = 0;
    const QString dayFile =
        ParseMdy(date, &day) ? directory + DayFileName(vars.setup, day) : QString();
    if (!dayFile.isEmpty() && !QFileInfo::exists(dayFile)) {
        Err() << dayFile << " does not exist" << Qt::endl;
        return cli::kExitRefused;
    }
    const bool done = otherDir
                          ? SumAday(vars.setup, clock, date, detail, directory, texts, messages)
                          : SumToDay(vars.setup, clock, date, detail, directory, texts, messages);
    if (!done && !texts.summarised) {
        return cli::kExitRefused; // the day file was refused, and said why
    }
    // The day's summary, also when its file could not be written (that
    // failure is on stderr, with the file named, and the exit status 1).
    Out() << texts.adds << '\n' << texts.adZenith << '\n' << texts.cdds << '\n';
    if (!otherDir) {
        Out() << texts.cdZenith << '\n';
    }
    Out().flush();
    return done ? 0 : cli::kExitRefused;
}

int WoudcCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("directory"), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("leave-out-flagged"),
                      QStringLiteral("observations with quality flags are not sent")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1) {
        return Usage();
    }
    const std::optional<DateTimeValue> day = DayArgument(parser);
    if (!day) {
        return cli::kExitUsage;
    }
    const DateTimeValue date = *day;
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    SystemClock clock;
    const QString dir =
        parser.isSet(QStringLiteral("out"))
            ? QDir(cli::OptionValue(parser, QStringLiteral("out"))).absolutePath() + u'/'
            : vars.setup.DataDir;
    WoudcLeaveOut leaveOut;
    if (parser.isSet(QStringLiteral("leave-out-flagged"))) {
        const Result<WoudcLeaveOut> flagged = LeaveOutFlaggedFor(vars.setup, vars.calibration);
        if (!flagged) {
            Err() << flagged.error().message << Qt::endl;
            return cli::kExitStation;
        }
        leaveOut = *flagged;
    }
    const Result<WoudcWritten> written =
        ExportWoudcDay(vars.setup, date, clock.Now(), dir, leaveOut);
    if (!written) {
        Err() << written.error().message << Qt::endl;
        return written.error().kind == ErrorKind::Station ? cli::kExitStation : cli::kExitRefused;
    }
    // The file is valid without them: named, and the export still succeeds.
    for (const QString& leftOut : written->leftOut) {
        Err() << leftOut << '\n';
    }
    Err().flush();
    Out() << written->path << Qt::endl;
    return 0;
}

int FlagsCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("one JSON array")});
    parser.addOption({QStringLiteral("dir"), QStringLiteral("a directory of other days"),
                      QStringLiteral("DIR")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1) {
        return Usage();
    }
    const std::optional<DateTimeValue> day = DayArgument(parser);
    if (!day) {
        return cli::kExitUsage;
    }
    const DateTimeValue date = *day;
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    const QString directory = DayDirectory(parser, vars.setup);
    const Result<DayQuality> quality =
        ReadDayQuality(vars.setup, vars.calibration, directory, date);
    if (!quality) {
        Err() << quality.error().message << Qt::endl;
        return quality.error().kind == ErrorKind::Station ? cli::kExitStation : cli::kExitRefused;
    }
    for (const QString& problem : quality->problems) {
        Err() << problem << '\n';
    }
    Err().flush();
    if (parser.isSet(QStringLiteral("json"))) {
        Out() << FlaggedJson(quality->observations) << '\n';
    } else {
        for (const FlaggedObservation& flagged : quality->observations) {
            Out() << FlaggedLine(flagged) << '\n';
        }
    }
    Out().flush();
    return 0;
}

int DaysCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() > 1) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    const QString directory = cli::Positionals(parser).isEmpty()
                                  ? vars.setup.DataDir
                                  : QDir(cli::Positionals(parser).first()).absolutePath() + u'/';
    const DayFileList list =
        ListDayFiles(directory, DayFileExtension(vars.setup), vars.setup.StationName);
    for (const QString& name : list.unreadable) {
        Err() << "Cannot read " << name << Qt::endl;
    }
    if (list.entries.isEmpty()) {
        Err() << list.title << ": " << QString(list.message).replace(u'\n', u' ') << Qt::endl;
        return 1;
    }
    for (const DayFileEntry& entry : list.entries) {
        Out() << entry.date << ' ' << entry.name << ' ' << entry.length << '\n';
    }
    Out().flush();
    return 0;
}

int PlanCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("one JSON object")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() > 1) {
        return Usage();
    }
    DateTimeValue localDate = 0;
    if (!cli::Positionals(parser).isEmpty()) {
        const QString text = cli::Positionals(parser).first();
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid() || text.size() != 10) {
            Err() << "not a date of the form YYYY-MM-DD: " << text << Qt::endl;
            return cli::kExitUsage;
        }
        localDate = DateSerial(date.year(), date.month(), date.day());
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    if (cli::Positionals(parser).isEmpty()) {
        SystemClock clock;
        localDate = std::floor(LocalStandardTime(vars.setup, clock.Now()));
    }
    const DayPlan plan = PlanDay(vars.setup, localDate);
    if (parser.isSet(QStringLiteral("json"))) {
        Out() << PlanJson(plan, vars.setup.StationName, localDate) << '\n';
    } else {
        for (const QString& line : PlanText(plan)) {
            Out() << line << '\n';
        }
    }
    Out().flush();
    return 0;
}

int ReprocessCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("calibration"), QStringLiteral("ntable and lampcorr"),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("the CSV"), QStringLiteral("FILE")});
    parser.addOption(
        {QStringLiteral("woudc"), QStringLiteral("new WOUDC files"), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("data-version"), QStringLiteral("the new files' data version"),
                      QStringLiteral("X.Y")});
    parser.addOption({QStringLiteral("leave-out-flagged"),
                      QStringLiteral("observations with quality flags are not sent")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).isEmpty() ||
        !parser.isSet(QStringLiteral("calibration"))) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    const Result<Calibration> loaded =
        LoadCalibration(vars.setup, vars.calibration,
                        cli::OptionValue(parser, QStringLiteral("calibration")), messages);
    if (!loaded) {
        Err() << loaded.error().message << Qt::endl;
        return cli::kExitRefused;
    }
    const Calibration& calibrated = *loaded;
    std::optional<WoudcStation> woudcStation;
    QString woudcDir;
    if (parser.isSet(QStringLiteral("woudc"))) {
        woudcDir = QDir(cli::OptionValue(parser, QStringLiteral("woudc"))).absolutePath() + u'/';
        // woudc.cfg is the station's own, as for every other WOUDC file.
        const Result<WoudcStation> read = ReadWoudcStation(vars.setup);
        if (!read) {
            Err() << read.error().message << Qt::endl;
            return cli::kExitRefused;
        }
        woudcStation = *read;
        // A new version of the data: the archive refuses the old one again.
        woudcStation->version = NextDataVersion(woudcStation->version);
        if (parser.isSet(QStringLiteral("data-version"))) {
            const QString version = cli::OptionValue(parser, QStringLiteral("data-version"));
            if (!IsDataVersion(version)) {
                Err() << "--data-version: not a version MAJOR.MINOR: " << version << Qt::endl;
                return cli::kExitUsage;
            }
            woudcStation->version = version;
        }
    }
    const Result<QualityLimits> limits = ReadQualityLimits(vars.setup.ConfigDir);
    if (!limits) {
        Err() << limits.error().message << Qt::endl;
        return cli::kExitStation;
    }
    SystemClock clock;
    const ReprocessRun run =
        ReprocessDayFiles(vars.setup, calibrated, *limits, cli::Positionals(parser), woudcStation,
                          woudcDir, clock.Now(), parser.isSet(QStringLiteral("leave-out-flagged")));
    for (const QString& problem : run.problems) {
        Err() << problem << '\n';
    }
    QStringList csv = {ReprocessCsvHeader()};
    for (const ReprocessedRecord& record : run.records) {
        csv << ReprocessCsvLine(record);
    }
    const QByteArray text = (csv.join(u'\n') + u'\n').toUtf8();
    if (parser.isSet(QStringLiteral("out"))) {
        const QString out = cli::OptionValue(parser, QStringLiteral("out"));
        if (const Result<void> written = ReplaceFile(out, text); !written) {
            Err() << out << ": " << written.error().message << Qt::endl;
            return cli::kExitRefused;
        }
    } else {
        Out() << QString::fromUtf8(text);
        Out().flush();
    }
    Err() << ReprocessSummaryLine(run.records) << Qt::endl;
    return run.failed ? cli::kExitRefused : 0;
}

} // namespace quillon::cli
