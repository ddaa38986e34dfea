#include "app/CliCommands.h"

#include "app/HomeDir.h"
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "config/ParameterText.h"
#include "records/DaySummary.h"
#include "util/OperatorMessages.h"
#include "util/SystemClock.h"

#include <QTextStream>
#include <cstdio>

namespace quillon {

namespace {

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

// Message boxes become lines on stderr; questions are answered No.
class StderrMessages : public OperatorMessages {
public:
    void Show(const QString& text, const QString& title) override {
        Err() << title << ": " << QString(text).replace(u'\n', u' ') << Qt::endl;
    }
    bool AskYesNo(const QString& text, const QString& title) override {
        Show(text, title);
        return false;
    }
};

int Usage() {
    Err() << "usage: quillon-cli [--home DIR] COMMAND\n"
             "  params                              station and instrument parameters\n"
             "  summary MM/DD/YYYY [--brief|--full] day summary (default: make the file)\n";
    Err().flush();
    return 64;
}

bool Load(SharedVars& vars, OperatorMessages& messages) {
    try {
        ReadConfiguration(vars, messages);
        return true;
    } catch (const FatalFileError& error) {
        Err() << FatalFileError::Title() << ": " << error.BoxText() << Qt::endl;
        return false;
    }
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
    if (args.isEmpty()) {
        return Usage();
    }
    SummaryDetail detail = SummaryDetail::WithFile;
    if (args.contains(QStringLiteral("--brief"))) {
        detail = SummaryDetail::Brief;
    } else if (args.contains(QStringLiteral("--full"))) {
        detail = SummaryDetail::Full;
    }
    if (!Load(vars, messages)) {
        return 2;
    }
    SystemClock clock;
    SummaryTexts texts;
    if (!SumToDay(vars, clock, args[0], detail, vars.DataDir, texts, messages)) {
        return 1;
    }
    Out() << texts.adds << '\n'
          << texts.adZenith << '\n'
          << texts.cdds << '\n'
          << texts.cdZenith << '\n';
    Out().flush();
    return 0;
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
    return Usage();
}

} // namespace quillon
