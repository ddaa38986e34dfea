#include "app/CliCommands.h"

#include "app/CliCalibration.h"
#include "app/CliSupport.h"
#include "app/HomeDir.h"
#include "astro/AstroFunctions.h"
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "config/ParameterText.h"
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "instrument/WaitGauge.h"
#include "ozone/Reduction.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "sound/Play.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "util/Format.h"
#include "util/OperatorMessages.h"
#include "util/SystemClock.h"

#include <QDir>
#include <QTextStream>
#include <cstdio>

namespace quillon {

namespace {

using cli::Err;
using cli::Load;
using cli::Out;
using cli::StderrMessages;

int Usage() {
    Err()
        << "usage: quillon-cli [--home DIR] COMMAND\n"
           "  params                              station and instrument parameters\n"
           "  summary MM/DD/YYYY [--brief|--full] day summary (default: make the file)\n"
           "  sun YYYY-MM-DDTHH:MM:SS             mu, air mass, zenith angle (UTC)\n"
           "  reduce TYPE --utc YYYY-MM-DDTHH:MM:SS --readings R1,R2,R3,R4,R5\n"
           "         [--sd S1,S2,S3,S4,S5]       N-values and ozone of one observation\n"
           "  rdial [--window SECONDS] [--series N]\n"
           "                                      read the R-dial through the counter\n"
           "  send                                send finished day files to the archive now\n"
           "  qtable [--out FILE]                 write the Q setting table\n"
           "  hgtest --temps START,END --pairs U1/L1,U2/L2[,...] [--initials XX]\n"
           "                                      save a mercury lamp test taken on paper\n"
           "  qreview                             the last three mercury tests against the table\n"
           "  qadjust VALUE --initials XX         adjust the Q-table by VALUE Hg divisions\n";
    Err().flush();
    return 64;
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

int Sun(SharedVars& vars, OperatorMessages& messages, const QStringList& args) {
    DateTimeValue utc = 0;
    if (args.isEmpty()) {
        return Usage();
    }
    if (!ParseUtc(args[0], &utc)) {
        return 64;
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
        return 64;
    }
    if (const QString sd = OptionValue(args, "--sd");
        !sd.isEmpty() && !ParseFive("--sd", sd, &input.deviations)) {
        return 64;
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

int RunCliCommand(QStringList args) {
    SharedVars vars;
    vars.HomeDir = TakeHomeDir(args);
    if (args.isEmpty()) {
        return Usage();
    }
    const QString command = args.takeFirst();
    StderrMessages messages;
    if (command == QLatin1String("params")) {
        return Params(vars, messages);
    }
    if (command == QLatin1String("summary")) {
        return Summary(vars, messages, args);
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
