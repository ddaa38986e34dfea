// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliCommands.h"

#include "app/CliCalibration.h"
#include "app/CliDays.h"
#include "app/CliStation.h"
#include "app/CliSupport.h"
#include "app/HomeDir.h"
#include "util/VersionText.h"

#include <QTextStream>
#include <optional>

namespace quillon {

namespace {

using cli::Err;
using cli::Load;
using cli::Out;
using cli::StderrMessages;
using cli::Usage;

struct CommandHelp {
    const char* name;
    const char* synopsis;
    const char* summary;
    int (*run)(StationState& vars, OperatorMessages& messages, const QStringList& args);
};

// Every command, as `help` and the manual list them.
const CommandHelp kCommands[] = {
    {"params", "params", "station and instrument parameters", cli::ParamsCommand},
    {"summary", "summary MM/DD/YYYY [--brief|--full] [--dir DIR]",
     "a day's summary texts; without --brief or --full also its summary file; --dir summarises "
     "a day file of another directory",
     cli::SummaryCommand},
    {"days", "days [DIR]", "the day files with data in DIR (default the data directory), in order",
     cli::DaysCommand},
    {"woudc", "woudc MM/DD/YYYY [--out DIR] [--leave-out-flagged]",
     "the day's observations as a WOUDC TotalOzoneObs file (needs woudc.cfg); "
     "--leave-out-flagged sends only observations without quality flags",
     cli::WoudcCommand},
    {"flags", "flags MM/DD/YYYY [--json] [--dir DIR]",
     "each observation of the day with its quality flags and their reasons (limits from "
     "quality.cfg)",
     cli::FlagsCommand},
    {"sun", "sun YYYY-MM-DDTHH:MM:SS", "mu, air mass, zenith angle and Julian day at a UTC time",
     cli::SunCommand},
    {"reduce", "reduce TYPE --utc YYYY-MM-DDTHH:MM:SS --readings R1,R2,R3,R4,R5 [--sd S1,...,S5]",
     "N-values and ozone of one observation", cli::ReduceCommand},
    {"rdial", "rdial [--window SECONDS] [--series N]", "read the R-dial through the counter",
     cli::RdialCommand},
    {"send", "send", "send the finished day files to the archive now", cli::SendCommand},
    {"hgtest", "hgtest --temps START,END --pairs U1/L1,U2/L2[,...] [--initials XX]",
     "evaluate and save a mercury lamp test taken on paper", cli::HgTestCommand},
    {"qreview", "qreview", "the last three mercury tests against the Q-table", cli::QReviewCommand},
    {"qadjust", "qadjust VALUE --initials XX",
     "adjust the Q-table by VALUE Hg divisions (-3.5 to 3.5)", cli::QAdjustCommand},
    {"qtable", "qtable [--out FILE]", "write the Q setting table", cli::QTableCommand},
    {"plan", "plan [YYYY-MM-DD] [--json]",
     "the day's plan: when the sun allows which observations (local standard time)",
     cli::PlanCommand},
    {"reprocess",
     "reprocess DAYFILE... --calibration DIR [--out FILE] [--woudc DIR [--data-version X.Y] "
     "[--leave-out-flagged]]",
     "recompute every ozone of the day files with the N-table and lamp corrections of DIR: a "
     "CSV of recorded and new values, and with --woudc the new WOUDC files",
     cli::ReprocessCommand},
    {"icset", "icset DS|ZenSky --date YYYY-MM-DD [--c HH:MM:SS,R,SD] [--d ...] [--a ...]",
     "recompute an intercomparison set: its CDA line and day record", cli::IcSetCommand},
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

int cli::Usage() {
    PrintHelp(Err());
    return kExitUsage;
}

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
    if (!FindCommand(args.first())) {
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
    return FindCommand(command)->run(vars, messages, args);
}

} // namespace quillon
