// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliStation.h"

#include "app/CliSupport.h"
#include "astro/AstroFunctions.h"
#include "config/GetInfo.h"
#include "config/ParameterText.h"
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "instrument/WaitGauge.h"
#include "ozone/Reduction.h"
#include "sound/Play.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "util/Format.h"
#include "util/SystemClock.h"

#include <QDateTime>
#include <cmath>

namespace quillon::cli {

namespace {

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

} // namespace

int ParamsCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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

int SunCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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

int ReduceCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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

int RdialCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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

int SendCommand(StationState& vars, OperatorMessages& messages, const QStringList& args) {
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
    const TransferPass pass = transfer.FindFiles2SendSA();
    for (const TransferOutcome& outcome : pass.files) {
        if (!outcome.sent) {
            Err() << "Failed:" << outcome.file << ':' << outcome.message << '\n';
            continue;
        }
        Out() << "Sent:" << outcome.file << '\n';
        if (!outcome.moved) {
            Err() << "Failed Archive " << outcome.file << ": " << outcome.message << '\n';
        }
    }
    for (const QString& problem : pass.problems) {
        Err() << problem << '\n';
    }
    if (!pass.nothingToSend.isEmpty()) {
        Out() << pass.nothingToSend << '\n';
    }
    Out().flush();
    Err().flush();
    return pass.Failed() ? 1 : 0;
}

} // namespace quillon::cli
