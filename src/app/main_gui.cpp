// quillon: the station operator's program for a Dobson ozone spectrophotometer.
#include "app/HomeDir.h"
#include "app/screens/MainWindow.h"
#include "app/screens/QtMessages.h"
#include "config/SharedVars.h"
#include "sound/Play.h"
#include "sound/QtSoundPlayer.h"
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

    quillon::MainWindow main(vars, clock, messages, sounds);
    messages.SetParent(&main);
    if (!main.Load()) {
        return 1;
    }
    main.show();
    return app.exec();
}
