// quillon: the station operator's program for a Dobson ozone spectrophotometer.
#include "app/HomeDir.h"
#include "app/screens/MainWindow.h"
#include "app/screens/QtMessages.h"
#include "config/SharedVars.h"
#include "instrument/SerialCounterLink.h"
#include "observe/screens/ObservationFlow.h"
#include "sound/Play.h"
#include "sound/QtSoundPlayer.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "util/SystemClock.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    quillon::SharedVars vars;
    vars.HomeDir = quillon::TakeHomeDir(args);
    quillon::SystemClock clock;
    quillon::QtMessages messages;
    quillon::QtSoundPlayer player;
    quillon::Sounds sounds(player);

    quillon::SerialCounterLink link;
    quillon::Cub5Encoder encoder(vars, link, clock, messages);
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
    quillon::Services services{vars, clock, messages, sounds, encoder, gate};

    quillon::MainWindow main(services);
    messages.SetParent(&main);
    quillon::CurlFtpClient ftp;
    quillon::ArchiveTransfer transfer(vars, clock, messages, ftp);
    transfer.SetMessageLine([&main](const QString& text) { main.ShowMessageLine(text); });
    main.SetTransferAction([&transfer] { transfer.FindFiles2SendSA(); });
    main.SetObservationRunner([&services, &main](const QString& type) {
        quillon::RunObservationSession(services, type, &main);
    });
    if (!main.Load()) {
        return dialFailed ? 3 : 1;
    }
    main.show();
    return dialFailed ? 3 : app.exec();
}
