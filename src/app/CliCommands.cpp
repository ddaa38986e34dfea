// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliCommands.h"

#include "app/CliCalibration.h"
#include "app/CliSupport.h"
#include "app/FirstRun.h"
#include "app/HomeDir.h"
#include "astro/AstroFunctions.h"
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "config/ParameterText.h"
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "instrument/WaitGauge.h"
#include "observe/DayPlan.h"
#include "observe/Reprocess.h"
#include "ozone/Reduction.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "records/WoudcExport.h"
#include "sound/Play.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/OperatorMessages.h"
#include "util/SystemClock.h"
#include "util/VersionText.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace quillon {

namespace {

using cli::Err;
using cli::Load;
using cli::Out;
using cli::StderrMessages;

struct CommandHelp {
    const char* name;
    const char* synopsis;
    const char* summary;
};

// Every command, as `help` and the manual list them.
const CommandHelp kCommands[] = {
    {"params", "params", "station and instrument parameters"},
    {"summary", "summary MM/DD/YYYY [--brief|--full] [--dir DIR]",
     "a day's summary texts; without --brief or --full also its summary file; --dir summarises "
     "a day file of another directory"},
    {"days", "days [DIR]", "the day files with data in DIR (default the data directory), in order"},
    {"woudc", "woudc MM/DD/YYYY [--out DIR]",
     "the day's observations as a WOUDC TotalOzoneObs file (needs woudc.cfg)"},
    {"sun", "sun YYYY-MM-DDTHH:MM:SS", "mu, air mass, zenith angle and Julian day at a UTC time"},
    {"reduce", "reduce TYPE --utc YYYY-MM-DDTHH:MM:SS --readings R1,R2,R3,R4,R5 [--sd S1,...,S5]",
     "N-values and ozone of one observation"},
    {"rdial", "rdial [--window SECONDS] [--series N]", "read the R-dial through the counter"},
    {"send", "send", "send the finished day files to the archive now"},
    {"hgtest", "hgtest --temps START,END --pairs U1/L1,U2/L2[,...] [--initials XX]",
     "evaluate and save a mercury lamp test taken on paper"},
    {"qreview", "qreview", "the last three mercury tests against the Q-table"},
    {"qadjust", "qadjust VALUE --initials XX",
     "adjust the Q-table by VALUE Hg divisions (-3.5 to 3.5)"},
    {"qtable", "qtable [--out FILE]", "write the Q setting table"},
    {"plan", "plan [YYYY-MM-DD] [--json]",
     "the day's plan: when the sun allows which observations (local standard time)"},
    {"reprocess", "reprocess DAYFILE... --calibration DIR [--out FILE] [--woudc DIR]",
     "recompute every ozone of the day files with the N-table and lamp corrections of DIR: a "
     "CSV of recorded and new values, and with --woudc the new WOUDC files"},
    {"icset", "icset DS|ZenSky --date YYYY-MM-DD [--c HH:MM:SS,R,SD] [--d ...] [--a ...]",
     "recompute an intercomparison set: its CDA line and day record"},
};

const char kExitStatusText[] =
    "\nExit status:\n"
    "  0  done\n"
    "  1  a failure, with its reason on stderr: a refused value, a station home or\n"
    "     configuration that cannot be used, a file or a transfer that failed\n"
    "  2  the command line is not understood (the usage is on stderr)\n"
    "  3  the R-dial counter cannot be opened or read\n";

void PrintHelp(QTextStream& out) {
    out << "Usage: quillon-cli [--home DIR] COMMAND [ARGUMENTS]\n"
           "The headless companion of quillon, the Dobson station operator's program.\n\n"
           "Options (before or after the command; --opt=value is the same as --opt value):\n"
           "  --home DIR     the station home (default ~/quillon)\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n\n"
           "Commands (quillon-cli help COMMAND for one):\n";
    for (const CommandHelp& c : kCommands) {
        out << "  " << QString::fromLatin1(c.synopsis) << "\n      "
            << QString::fromLatin1(c.summary) << '\n';
    }
    out << kExitStatusText;
    out.flush();
}

// A command line that is not understood: the usage on stderr, exit 2.
int Usage() {
    PrintHelp(Err());
    return cli::kExitUsage;
}

// A command that takes no arguments and no options of its own.
bool NoArguments(const QStringList& args) {
    QCommandLineParser parser;
    return cli::ParseCommand(parser, args) && parser.positionalArguments().isEmpty();
}

int Params(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    if (!NoArguments(args)) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    for (const auto& lines :
         {StationParameterLines(vars.setup), InstrumentParameterLines(vars.setup, vars.calibration),
          ProgramInfoLines(vars.setup, vars.calibration)}) {
        for (const LabelledValue& line : lines) {
            Out() << line.label << ' ' << line.value << '\n';
        }
    }
    Out().flush();
    return 0;
}

int Summary(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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
    QString directory = otherDir
                            ? QDir(cli::OptionValue(parser, QStringLiteral("dir"))).absolutePath()
                            : vars.setup.DataDir;
    if (!directory.endsWith(u'/')) {
        directory += u'/';
    }
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
    if (!done) {
        return 1;
    }
    Out() << texts.adds << '\n' << texts.adZenith << '\n' << texts.cdds << '\n';
    if (!otherDir) {
        Out() << texts.cdZenith << '\n';
    }
    Out().flush();
    return 0;
}

int Woudc(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("directory"), QStringLiteral("DIR")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1) {
        return Usage();
    }
    const QString dateText = cli::Positionals(parser).first();
    DateTimeValue date = 0;
    if (!ParseMdy(dateText, &date)) {
        Err() << "not a date of the form MM/DD/YYYY: " << dateText << Qt::endl;
        return cli::kExitUsage;
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    SystemClock clock;
    const QString dir =
        parser.isSet(QStringLiteral("out"))
            ? QDir(cli::OptionValue(parser, QStringLiteral("out"))).absolutePath() + u'/'
            : vars.setup.DataDir;
    const Result<QString> path = ExportWoudcDay(vars.setup, date, clock.Now(), dir);
    if (!path) {
        Err() << path.error().message << Qt::endl;
        return path.error().kind == ErrorKind::Station ? cli::kExitStation : cli::kExitRefused;
    }
    Out() << *path << Qt::endl;
    return 0;
}

int Days(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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
    const DayFileList list = ListDayFiles(directory, DayFileExtension(vars.setup));
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

QString Full(double value) {
    return QString::asprintf("%.12g", value);
}

bool ParseUtc(const QString& text, DateTimeValue* utc) {
    if (!ParseIsoDateTime(text, utc)) {
        Err() << "not a UTC time of the form YYYY-MM-DDTHH:MM:SS: " << text << Qt::endl;
        return false;
    }
    return true;
}

int Plan(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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

int Sun(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1) {
        return Usage();
    }
    DateTimeValue utc = 0;
    if (!ParseUtc(cli::Positionals(parser).first(), &utc)) {
        return cli::kExitUsage;
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    Out() << "mu: " << Full(SunMu(vars.setup, utc)) << '\n'
          << "airmass: " << Full(SunAirMass(vars.setup, utc)) << '\n'
          << "zenith: " << Full(SunZenithAngle(vars.setup, utc)) << '\n'
          << "julian: " << Full(JulianDay(utc)) << '\n';
    Out().flush();
    return 0;
}

// Five numbers separated by commas, or an explanation on stderr.
bool ParseFive(const QString& option, const QString& text, std::array<double, 5>* values) {
    const QStringList parts = text.split(u',');
    bool ok = parts.size() == 5;
    for (qsizetype i = 0; ok && i < 5; ++i) {
        (*values)[static_cast<size_t>(i)] = parts[i].trimmed().toDouble(&ok);
    }
    if (!ok) {
        Err() << option << " needs five numbers separated by commas: " << text << Qt::endl;
    }
    return ok;
}

int Reduce(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("utc"), QStringLiteral("mean time"), QStringLiteral("UTC")});
    parser.addOption(
        {QStringLiteral("readings"), QStringLiteral("five R-dial means"), QStringLiteral("R")});
    parser.addOption(
        {QStringLiteral("sd"), QStringLiteral("five deviations"), QStringLiteral("S")});
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() != 1 ||
        !parser.isSet(QStringLiteral("utc")) || !parser.isSet(QStringLiteral("readings"))) {
        return Usage();
    }
    ReductionInput input;
    input.type = cli::Positionals(parser).first().toUpper();
    if (!ReducibleTypes().contains(input.type)) {
        Err() << "not an observation type: " << cli::Positionals(parser).first()
              << "; the types are " << ReducibleTypes().join(QStringLiteral(", ")) << Qt::endl;
        return cli::kExitUsage;
    }
    if (!ParseUtc(cli::OptionValue(parser, QStringLiteral("utc")), &input.meanUtc) ||
        !ParseFive("--readings", cli::OptionValue(parser, QStringLiteral("readings")),
                   &input.readings)) {
        return cli::kExitUsage;
    }
    if (parser.isSet(QStringLiteral("sd")) &&
        !ParseFive("--sd", cli::OptionValue(parser, QStringLiteral("sd")), &input.deviations)) {
        return cli::kExitUsage;
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    const ReductionResult r = ReduceObservation(vars.setup, vars.calibration, input);
    Out() << "N1: " << Full(r.n1) << '\n'
          << "N2: " << Full(r.n2) << '\n'
          << "spread: " << Full(r.spread) << '\n'
          << "mu: " << Full(r.mu) << '\n'
          << "ozone: " << Full(r.ozone) << '\n'
          << "ozone_spread: " << Full(r.ozoneSpread) << '\n';
    Out().flush();
    return 0;
}

// The reading series' gauge as lines on stderr.
class ConsoleGauge : public GaugeDisplay {
public:
    void SetCallerText(const QString&, const QString&) override {}
    void Open(const QString&, int, int, const QString& info) override { Err() << info << Qt::endl; }
    void SetProgress(int, const QString& topLine) override { Err() << topLine << Qt::endl; }
    bool ExitPressed() const override { return false; }
    void Close() override {}
};

// The companion has no sound.
class SilentPlayer : public SoundPlayer {
public:
    void Play(int, const QByteArray&) override {}
};

int Rdial(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("window"), QStringLiteral("seconds per reading"), QStringLiteral("S")});
    parser.addOption(
        {QStringLiteral("series"), QStringLiteral("readings in a series"), QStringLiteral("N")});
    if (!cli::ParseCommand(parser, args) || !cli::Positionals(parser).isEmpty()) {
        return Usage();
    }
    double window = 1.0;
    int series = 0;
    bool ok = true;
    if (parser.isSet(QStringLiteral("window"))) {
        window = cli::OptionValue(parser, QStringLiteral("window")).toDouble(&ok);
    }
    if (ok && parser.isSet(QStringLiteral("series"))) {
        series = cli::OptionValue(parser, QStringLiteral("series")).toInt(&ok);
    }
    // A window of up to a minute and a series of up to 100 readings.
    if (!ok || !std::isfinite(window) || window <= 0 || window > 60 || series < 0 || series > 100) {
        Err() << "--window takes 0 to 60 seconds and --series 0 to 100 readings" << Qt::endl;
        return Usage();
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    if (!vars.setup.EncoderInUse) {
        Err() << "No encoder port is configured in disc.cfg." << Qt::endl;
        return cli::kExitCounter;
    }
    SystemClock clock;
    SerialCounterLink link;
    Cub5Encoder encoder(vars.setup, link, clock, messages);
    if (const Result<void> opened = encoder.OpenEncoderPort(); !opened) {
        Err() << opened.error().message << Qt::endl;
        return cli::kExitCounter;
    }
    if (series == 0) {
        const Result<double> r = encoder.ReadEncoder(window);
        if (!r) {
            Err() << r.error().message << Qt::endl;
            return cli::kExitCounter;
        }
        Out() << "rdial: " << FormatNumber(*r, u"##0.0") << '\n';
        Out().flush();
        return 0;
    }
    SilentPlayer player;
    Sounds sounds(player);
    ConsoleGauge gauge;
    vars.settings.AudioPrompts = 0;
    const RdialReading reading = ReadRdial(vars.settings, encoder, gauge, sounds, clock, series);
    if (reading.failure) {
        Err() << reading.failure->message << Qt::endl;
        return cli::kExitCounter;
    }
    Out() << "mean: " << Full(reading.mean) << '\n' << "sd: " << Full(reading.sd) << '\n';
    Out().flush();
    return 0;
}

int Send(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    if (!NoArguments(args)) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return cli::kExitStation;
    }
    const ArchiveSite site = ReadArchiveSite(vars.setup.ConfigDir);
    if (!site.error.isEmpty()) {
        // CallHome.cfg unreadable or naming no FTP site: nothing is sent,
        // and a script must learn why, not only the day file.
        Err() << site.error << Qt::endl;
        return 1;
    }
    SystemClock clock;
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    bool failed = false;
    for (const TransferOutcome& outcome : transfer.FindFiles2SendSA()) {
        if (outcome.sent) {
            Out() << "Sent:" << outcome.file << '\n';
            if (!outcome.moved) {
                Out() << "Failed Archive " << outcome.file << ": " << outcome.message << '\n';
            }
        } else {
            Out() << "Failed:" << outcome.file << ':' << outcome.message << '\n';
            failed = true;
        }
    }
    Out().flush();
    return failed ? 1 : 0;
}

int Reprocess(StationState& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("calibration"), QStringLiteral("ntable and lampcorr"),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("the CSV"), QStringLiteral("FILE")});
    parser.addOption(
        {QStringLiteral("woudc"), QStringLiteral("new WOUDC files"), QStringLiteral("DIR")});
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
    WoudcStation woudcStation;
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
    }
    SystemClock clock;
    QList<ReprocessedRecord> all;
    QStringList csv = {ReprocessCsvHeader()};
    bool failed = false;
    for (const QString& path : cli::Positionals(parser)) {
        const ReprocessedDay day = ReprocessDayFile(vars.setup, calibrated, path);
        for (const QString& problem : day.problems) {
            Err() << problem << '\n';
        }
        failed = failed || !day.read;
        for (const ReprocessedRecord& record : day.records) {
            csv << ReprocessCsvLine(record);
        }
        all << day.records;
        if (day.read && !woudcDir.isEmpty()) {
            const WoudcFile file = MakeWoudcFile(vars.setup, woudcStation, day.fileName,
                                                 day.reprocessed, day.localDate, clock.Now());
            if (const Result<void> written = ReplaceFile(woudcDir + file.name, file.text);
                !written) {
                Err() << woudcDir + file.name << ": " << written.error().message << '\n';
                failed = true;
            }
        }
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
    Err() << ReprocessSummaryLine(all) << Qt::endl;
    return failed ? cli::kExitRefused : 0;
}

// The global options, wherever they stand on the line: --home DIR (or
// --home=DIR), -h/--help and -v/--version. What is left is the command and
// its own arguments; false, with the reason on stderr, for a --home without
// its directory.
struct GlobalOptions {
    std::optional<QString> home;
    bool help = false;
    bool version = false;
    QStringList rest;
};

bool TakeGlobalOptions(const QStringList& arguments, GlobalOptions* out) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--")) {
            out->rest << arguments.mid(i);
            break;
        }
        if (arg == QLatin1String("--home")) {
            if (i + 1 >= arguments.size()) {
                Err() << "Missing value after '--home'." << Qt::endl;
                return false;
            }
            out->home = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--home="))) {
            out->home = arg.mid(7);
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out->help = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--version")) {
            out->version = true;
        } else {
            out->rest << arg;
        }
    }
    return true;
}

const CommandHelp* FindCommand(const QString& name) {
    for (const CommandHelp& c : kCommands) {
        if (name == QLatin1String(c.name)) {
            return &c;
        }
    }
    return nullptr;
}

void PrintCommandHelp(const CommandHelp& c) {
    Out() << "Usage: quillon-cli [--home DIR] " << QString::fromLatin1(c.synopsis) << "\n"
          << QString::fromLatin1(c.summary) << Qt::endl;
}

} // namespace

int RunCliCommand(QStringList arguments) {
    GlobalOptions global;
    if (!TakeGlobalOptions(arguments, &global)) {
        return Usage();
    }
    if (global.version) {
        Out() << VersionText("quillon-cli");
        Out().flush();
        return 0;
    }
    QStringList args = global.rest;
    if (!args.isEmpty() && args.first().startsWith(u'-')) {
        Err() << "Unknown option '" << args.first() << "'." << Qt::endl;
        return Usage();
    }
    if (global.help || (!args.isEmpty() && args.first() == QLatin1String("help"))) {
        // "help COMMAND" and "COMMAND --help": that command's usage.
        const qsizetype named = global.help ? 0 : 1;
        if (args.size() <= named) {
            PrintHelp(Out());
            return 0;
        }
        if (const CommandHelp* c = FindCommand(args[named])) {
            PrintCommandHelp(*c);
            return 0;
        }
        Err() << "quillon-cli: unknown command " << args[named] << '\n';
        return Usage();
    }
    if (args.isEmpty()) {
        return Usage();
    }
    const bool known =
        std::any_of(std::begin(kCommands), std::end(kCommands), [&args](const CommandHelp& c) {
            return args.first() == QLatin1String(c.name);
        });
    if (!known) {
        Err() << "quillon-cli: unknown command " << args.first() << '\n';
        return Usage();
    }
    QStringList homeArgs;
    if (global.home) {
        homeArgs << QStringLiteral("--home") << *global.home;
    }
    StationState vars;
    vars.setup.HomeDir = TakeHomeDir(homeArgs);
    const QString command = args.takeFirst();
    StderrMessages messages;
    if (command == QLatin1String("params")) {
        return Params(vars, messages, args);
    }
    if (command == QLatin1String("summary")) {
        return Summary(vars, messages, args);
    }
    if (command == QLatin1String("plan")) {
        return Plan(vars, messages, args);
    }
    if (command == QLatin1String("sun")) {
        return Sun(vars, messages, args);
    }
    if (command == QLatin1String("reduce")) {
        return Reduce(vars, messages, args);
    }
    if (command == QLatin1String("rdial")) {
        return Rdial(vars, messages, args);
    }
    if (command == QLatin1String("send")) {
        return Send(vars, messages, args);
    }
    if (command == QLatin1String("woudc")) {
        return Woudc(vars, messages, args);
    }
    if (command == QLatin1String("days")) {
        return Days(vars, messages, args);
    }
    if (command == QLatin1String("reprocess")) {
        return Reprocess(vars, messages, args);
    }
    if (command == QLatin1String("icset")) {
        return cli::IcSetCommand(vars, messages, args);
    }
    if (command == QLatin1String("qtable")) {
        return cli::QTableCommand(vars, messages, args);
    }
    if (command == QLatin1String("hgtest")) {
        return cli::HgTestCommand(vars, messages, args);
    }
    if (command == QLatin1String("qreview")) {
        return cli::QReviewCommand(vars, messages, args);
    }
    if (command == QLatin1String("qadjust")) {
        return cli::QAdjustCommand(vars, messages, args);
    }
    return Usage();
}

} // namespace quillon
