// SPDX-License-Identifier: GPL-3.0-or-later
// quillon: the station operator's program for a Dobson ozone spectrophotometer.
#include "app/HomeDir.h"
#include "app/QtOptions.h"
#include "app/screens/FirstRunDialog.h"
#include "app/screens/MainWindow.h"
#include "app/screens/QtMessages.h"
#include "instrument/SerialCounterLink.h"
#include "observe/screens/ObservationFlow.h"
#include "sound/Play.h"
#include "station/StationState.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "ui/QtSoundPlayer.h"
#include "util/SystemClock.h"
#include "util/VersionText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <optional>

namespace {

// Help, version and a wrong command line need no display: they are
// answered before the application starts, with the exit status. Otherwise
// nothing, and `homeArgs` gets the station home's option when given.
std::optional<int> AnswerCommandLine(int argc, char** argv, QStringList* homeArgs) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString usage =
        QStringLiteral("Usage: quillon [--home DIR] [Qt options]\n"
                       "The station operator's program for a Dobson ozone spectrophotometer.\n\n"
                       "Options:\n"
                       "  --home DIR     the station home (default ~/quillon)\n"
                       "  -h, --help     show this help and exit\n"
                       "  -v, --version  show the version and exit\n\n") +
        quillon::QtOptionsHelp() +
        QStringLiteral("\nExit status:\n"
                       "  0  the operator left the program\n"
                       "  1  a failure, with its reason shown: no station home, or the station's\n"
                       "     configuration or the encoder port stopped the start\n"
                       "  2  the command line is not understood\n"
                       "  3  the R-dial counter stopped answering\n");
    // Qt's own options are QApplication's; the rest is the program's.
    const quillon::ProgramArguments own = quillon::WithoutQtOptions(arguments);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("home"), QStringLiteral("the station home"), QStringLiteral("DIR")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("version")});
    if (!own.missingValue.isEmpty() || !parser.parse(own.own) ||
        !parser.positionalArguments().isEmpty()) {
        if (!own.missingValue.isEmpty()) {
            std::fprintf(stderr, "Missing value after '%s'.\n", qPrintable(own.missingValue));
        } else if (!parser.errorText().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        }
        std::fprintf(stderr, "%s", qPrintable(usage));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(usage));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s", qPrintable(quillon::VersionText("quillon")));
        return 0;
    }
    if (parser.isSet(QStringLiteral("home"))) {
        *homeArgs << QStringLiteral("--home") << parser.value(QStringLiteral("home"));
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    QStringList homeArgs;
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv, &homeArgs)) {
        return *answered;
    }
    QApplication app(argc, argv);

    quillon::StationState state;
    state.setup.HomeDir = quillon::TakeHomeDir(homeArgs);
    // Never start on a half-made home: a new station copies the example or quits.
    if (!quillon::EnsureStationHome(state.setup.HomeDir)) {
        return 1;
    }
    quillon::SystemClock clock;
    quillon::QtMessages messages;
    quillon::QtSoundPlayer player;
    quillon::Sounds sounds(player);

    quillon::SerialCounterLink link;
    quillon::Cub5Encoder encoder(state.setup, link, clock, messages);
    // A counter that stops answering ends the program: observing on a dial
    // that cannot be read would only make wrong records.
    // Every event loop the workflow waits in ends with the program's.
    bool dialFailed = false;
    encoder.SetFailureAction([&link, &dialFailed] {
        link.Close();
        dialFailed = true;
        QCoreApplication::exit(3);
    });
    quillon::BusyGate gate;
    quillon::Services services{state.setup, state.calibration, state.day, state.settings,
                               clock,       messages,          sounds,    encoder,
                               gate};

    quillon::MainWindow main(services, state);
    messages.SetParent(&main);
    main.SetObservationRunner([&services, &main](const QString& type) {
        quillon::RunObservationSession(services, type, &main);
    });
    if (!main.Load()) {
        return dialFailed ? 3 : 1;
    }
    // The archive site (with its password) goes to the transfer alone.
    quillon::CurlFtpClient ftp;
    const quillon::ArchiveSite site = main.TakeArchiveSite();
    quillon::ArchiveTransfer transfer(state.setup, state.day, site, clock, messages, ftp);
    transfer.SetMessageLine([&main](const QString& text) { main.ShowMessageLine(text); });
    main.SetTransferAction([&transfer] { transfer.FindFiles2SendSA(); });
    main.show();
    return dialFailed ? 3 : app.exec();
}
