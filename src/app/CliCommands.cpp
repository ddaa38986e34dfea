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

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>

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
    {"icset", "icset DS|ZenSky --date YYYY-MM-DD [--c HH:MM:SS,R,SD] [--d ...] [--a ...]",
     "recompute an intercomparison set: its CDA line and day record"},
};

void PrintHelp(QTextStream& out) {
    out << "Usage: quillon-cli [--home DIR] COMMAND [ARGUMENTS]\n"
           "The headless companion of quillon, the Dobson station operator's program.\n\n"
           "Options:\n"
           "  --home DIR     the station home (default ~/quillon)\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n\n"
           "Commands (quillon-cli help COMMAND for one):\n";
    for (const CommandHelp& c : kCommands) {
        out << "  " << QString::fromLatin1(c.synopsis) << "\n      "
            << QString::fromLatin1(c.summary) << '\n';
    }
    out << "\nExit status:\n"
           "  0  done\n"
           "  1  refused or failed (the reason is on stderr)\n"
           "  2  the command line is not understood, or the station home or its\n"
           "     configuration cannot be used\n";
    out.flush();
}

// A command line that is not understood: the usage on stderr, exit 2.
int Usage() {
    PrintHelp(Err());
    return cli::kExitUsage;
}

int Params(SharedVars& vars, OperatorMessages& messages) {
    if (!Load(vars, messages)) {
        return 2;
    }
    for (const auto& lines :
         {StationParameterLines(vars), InstrumentParameterLines(vars), ProgramInfoLines(vars)}) {
        for (const LabelledValue& line : lines) {
            Out() << line.label << ' ' << line.value << '\n';
        }
    }
    Out().flush();
    return 0;
}

int Summary(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
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
        return 2;
    }
    SystemClock clock;
    SummaryTexts texts;
    const QString date = cli::Positionals(parser).first();
    const bool otherDir = parser.isSet(QStringLiteral("dir"));
    QString directory =
        otherDir ? QDir(parser.value(QStringLiteral("dir"))).absolutePath() : vars.DataDir;
    if (!directory.endsWith(u'/')) {
        directory += u'/';
    }
    const bool done = otherDir ? SumAday(vars, clock, date, detail, directory, texts, messages)
                               : SumToDay(vars, clock, date, detail, directory, texts, messages);
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

int Woudc(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
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
    const QString dir = parser.isSet(QStringLiteral("out"))
                            ? QDir(parser.value(QStringLiteral("out"))).absolutePath() + u'/'
                            : vars.DataDir;
    QString path;
    QString error;
    bool stationError = false;
    if (!ExportWoudcDay(vars, date, clock.Now(), dir, &path, &error, &stationError)) {
        Err() << error << Qt::endl;
        return stationError ? cli::kExitStation : cli::kExitRefused;
    }
    Out() << path << Qt::endl;
    return 0;
}

int Days(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
    QCommandLineParser parser;
    if (!cli::ParseCommand(parser, args) || cli::Positionals(parser).size() > 1) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return 2;
    }
    const QString directory = cli::Positionals(parser).isEmpty()
                                  ? vars.DataDir
                                  : QDir(cli::Positionals(parser).first()).absolutePath() + u'/';
    const DayFileList list = ListDayFiles(directory, DayFileExtension(vars));
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

int Plan(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
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
        return 2;
    }
    if (cli::Positionals(parser).isEmpty()) {
        SystemClock clock;
        localDate = std::floor(LocalStandardTime(vars, clock.Now()));
    }
    const DayPlan plan = PlanDay(vars, localDate);
    if (parser.isSet(QStringLiteral("json"))) {
        Out() << PlanJson(plan, vars.StationName, localDate) << '\n';
    } else {
        for (const QString& line : PlanText(plan)) {
            Out() << line << '\n';
        }
    }
    Out().flush();
    return 0;
}

int Sun(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
    DateTimeValue utc = 0;
    if (args.isEmpty()) {
        return Usage();
    }
    if (!ParseUtc(args[0], &utc)) {
        return cli::kExitUsage;
    }
    if (!Load(vars, messages)) {
        return 2;
    }
    Out() << "mu: " << Full(SunMu(vars, utc)) << '\n'
          << "airmass: " << Full(SunAirMass(vars, utc)) << '\n'
          << "zenith: " << Full(SunZenithAngle(vars, utc)) << '\n'
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

QString OptionValue(const QStringList& args, const QString& option) {
    const qsizetype at = args.indexOf(option);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

int Reduce(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
    if (args.isEmpty() || OptionValue(args, "--utc").isEmpty() ||
        OptionValue(args, "--readings").isEmpty()) {
        return Usage();
    }
    ReductionInput input;
    input.type = args[0].toUpper();
    if (!ParseUtc(OptionValue(args, "--utc"), &input.meanUtc) ||
        !ParseFive("--readings", OptionValue(args, "--readings"), &input.readings)) {
        return cli::kExitUsage;
    }
    if (const QString sd = OptionValue(args, "--sd");
        !sd.isEmpty() && !ParseFive("--sd", sd, &input.deviations)) {
        return cli::kExitUsage;
    }
    if (!Load(vars, messages)) {
        return 2;
    }
    const ReductionResult r = ReduceObservation(vars, input);
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

int Rdial(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
    double window = 1.0;
    int series = 0;
    bool ok = true;
    if (const QString w = OptionValue(args, "--window"); !w.isEmpty()) {
        window = w.toDouble(&ok);
    }
    if (const QString n = OptionValue(args, "--series"); ok && !n.isEmpty()) {
        series = n.toInt(&ok);
    }
    if (!ok || window < 0) {
        return Usage();
    }
    if (!Load(vars, messages)) {
        return 2;
    }
    if (!vars.EncoderInUse) {
        Err() << "No encoder port is configured in disc.cfg." << Qt::endl;
        return 3;
    }
    SystemClock clock;
    SerialCounterLink link;
    Cub5Encoder encoder(vars, link, clock, messages);
    QString error;
    if (!encoder.OpenEncoderPort(&error)) {
        Err() << error << Qt::endl;
        return 3;
    }
    if (series == 0) {
        const double r = encoder.ReadEncoder(window);
        if (!vars.EncoderError.isEmpty()) {
            Err() << vars.EncoderError << Qt::endl;
            return 3;
        }
        Out() << "rdial: " << FormatNumber(r, u"##0.0") << '\n';
        Out().flush();
        return 0;
    }
    SilentPlayer player;
    Sounds sounds(player);
    ConsoleGauge gauge;
    vars.AudioPrompts = 0;
    const RdialReading reading = ReadRdial(vars, encoder, gauge, sounds, clock, series);
    if (reading.failed) {
        Err() << vars.EncoderError << Qt::endl;
        return 3;
    }
    Out() << "mean: " << Full(reading.mean) << '\n' << "sd: " << Full(reading.sd) << '\n';
    Out().flush();
    return 0;
}

int Send(SharedVars& vars, OperatorMessages& messages) {
    if (!Load(vars, messages)) {
        return 2;
    }
    if (!vars.ArchiveSiteError.isEmpty()) {
        // CallHome.cfg unreadable or naming no FTP site: nothing is sent,
        // and a script must learn why, not only the day file.
        Err() << vars.ArchiveSiteError << Qt::endl;
        return 1;
    }
    SystemClock clock;
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars, clock, messages, ftp);
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

} // namespace

int RunCliCommand(QStringList arguments) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(
        {QStringLiteral("home"), QStringLiteral("the station home"), QStringLiteral("DIR")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("version")});
    if (!cli::ParseCommand(parser, arguments)) {
        return Usage();
    }
    if (parser.isSet(QStringLiteral("help"))) {
        PrintHelp(Out());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Out() << "quillon-cli " << QUILLON_VERSION << Qt::endl;
        return 0;
    }
    QStringList args = cli::Positionals(parser);
    if (args.isEmpty()) {
        return Usage();
    }
    if (args.first() == QLatin1String("help")) {
        if (args.size() == 1) {
            PrintHelp(Out());
            return 0;
        }
        for (const CommandHelp& c : kCommands) {
            if (args[1] == QLatin1String(c.name)) {
                Out() << "Usage: quillon-cli [--home DIR] " << QString::fromLatin1(c.synopsis)
                      << "\n"
                      << QString::fromLatin1(c.summary) << Qt::endl;
                return 0;
            }
        }
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
    if (parser.isSet(QStringLiteral("home"))) {
        homeArgs << QStringLiteral("--home") << parser.value(QStringLiteral("home"));
    }
    SharedVars vars;
    vars.HomeDir = TakeHomeDir(homeArgs);
    if (!HomeExists(vars.HomeDir)) {
        Err() << MissingHomeAdvice(vars.HomeDir) << Qt::endl;
        return cli::kExitStation;
    }
    const QString command = args.takeFirst();
    StderrMessages messages;
    if (command == QLatin1String("params")) {
        return Params(vars, messages);
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
        return Send(vars, messages);
    }
    if (command == QLatin1String("woudc")) {
        return Woudc(vars, messages, args);
    }
    if (command == QLatin1String("days")) {
        return Days(vars, messages, args);
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
