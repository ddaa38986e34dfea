// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CliSupport.h"

#include "app/FirstRun.h"
#include "config/FatalFileError.h"
#include "config/GetInfo.h"
#include "records/DayFile.h"

#include <QRegularExpression>

namespace quillon::cli {

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

QTextStream& Err() {
    static QTextStream err(stderr);
    return err;
}

void StderrMessages::Show(const QString& text, const QString& title) {
    Err() << title << ": " << QString(text).replace(u'\n', u' ') << Qt::endl;
}

bool StderrMessages::AskYesNo(const QString& text, const QString& title) {
    Show(text, title);
    return false;
}

bool NoArguments(const QStringList& args) {
    QCommandLineParser parser;
    return ParseCommand(parser, args) && parser.positionalArguments().isEmpty();
}

bool Load(StationState& vars, OperatorMessages& messages) {
    if (!HomeExists(vars.setup.HomeDir)) {
        Err() << MissingHomeAdvice(vars.setup.HomeDir) << Qt::endl;
        return false;
    }
    if (const Result<void> read = ReadConfiguration(vars.setup, vars.calibration, messages);
        !read) {
        Err() << FatalFileError::Title() << ": " << read.error().message << Qt::endl;
        return false;
    }
    // A day file that a command starts records its calibration as the
    // operator program's own do.
    vars.day.NewFileComment = ProvenanceText(vars.calibration);
    return true;
}

namespace {
// A leading minus of a number is not an option: hidden from the parser
// behind a mark that cannot be typed, and given back afterwards.
constexpr QChar kMinusMark(0xE000);

QString Unmark(const QString& text) {
    return text.startsWith(kMinusMark) ? u'-' + text.mid(1) : text;
}
} // namespace

QString OptionValue(const QCommandLineParser& parser, const QString& name) {
    return Unmark(parser.value(name));
}

QStringList Positionals(const QCommandLineParser& parser) {
    QStringList out;
    for (const QString& arg : parser.positionalArguments()) {
        out << Unmark(arg);
    }
    return out;
}

bool ParseCommand(QCommandLineParser& parser, const QStringList& args) {
    static const QRegularExpression negative(QStringLiteral("^-[0-9.]"));
    const QChar mark = kMinusMark;
    QStringList hidden = {QStringLiteral("quillon-cli")};
    for (const QString& arg : args) {
        hidden << (negative.match(arg).hasMatch() ? mark + arg.mid(1) : arg);
    }
    if (!parser.parse(hidden)) {
        Err() << parser.errorText() << Qt::endl;
        return false;
    }
    return true;
}

} // namespace quillon::cli
