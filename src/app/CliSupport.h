// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/SharedVars.h"
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

// Reads the station's configuration; false (with the fatal error on
// stderr) when it cannot be used.
bool Load(SharedVars& vars, OperatorMessages& messages);

// Parses one command's arguments (the command word first). Negative numbers
// stay values ("qadjust -3.5", "--temps -0.5,0.5"). False with the reason
// on stderr.
bool ParseCommand(QCommandLineParser& parser, const QStringList& args);
// An option's value and the positional arguments, negative numbers given back.
QString OptionValue(const QCommandLineParser& parser, const QString& name);
QStringList Positionals(const QCommandLineParser& parser);

// Exit codes: 0 done, 1 refused or failed, 2 a command line that is not
// understood or a station that cannot be used.
inline constexpr int kExitRefused = 1;
inline constexpr int kExitStation = 2;
inline constexpr int kExitUsage = 2;

} // namespace quillon::cli
