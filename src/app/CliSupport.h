// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/StationState.h"
#include "util/OperatorMessages.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace quillon::cli {

QTextStream& Out();
QTextStream& Err();

// Message boxes become lines on stderr; questions are answered No.
class StderrMessages : public OperatorMessages {
public:
    void Show(const QString& text, const QString& title) override;
    bool AskYesNo(const QString& text, const QString& title) override;
};

// A command line that is not understood: the usage on stderr, exit 2.
int Usage();

// A command that takes no arguments and no options of its own.
bool NoArguments(const QStringList& args);

// Reads the station's configuration; false (with the fatal error on
// stderr) when it cannot be used.
bool Load(StationState& vars, OperatorMessages& messages);

// Parses one command's arguments (the command word first). Negative numbers
// stay values ("qadjust -3.5", "--temps -0.5,0.5"). False with the reason
// on stderr.
bool ParseCommand(QCommandLineParser& parser, const QStringList& args);
// An option's value and the positional arguments, negative numbers given back.
QString OptionValue(const QCommandLineParser& parser, const QString& name);
QStringList Positionals(const QCommandLineParser& parser);

// Exit statuses, the same for every command and program: 0 done, 1 a
// failure with its reason on stderr (a refused value, a station home or
// configuration that cannot be used, a failed file or transfer), 2 a
// command line that is not understood, 3 the R-dial counter.
inline constexpr int kExitRefused = 1;
inline constexpr int kExitStation = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCounter = 3;

} // namespace quillon::cli
