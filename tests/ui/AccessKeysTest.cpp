// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu of every screen with menus gives each of its entries a key of
// its own: two entries of one menu on the same Alt key would leave the
// operator's key to chance.
#include "app/screens/MainWindow.h"
#include "calibration/screens/HgtestScreen.h"
#include "calibration/screens/StandardScreen.h"
#include "intercomparison/screens/IcScreen.h"
#include "observe/screens/ObsScreen.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// The access key of a caption ("&Plots" gives P), none without one.
QChar AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (caption[i + 1] == u'&') {
                ++i;
                continue;
            }
            return caption[i + 1].toUpper();
        }
    }
    return {};
}

// Each key used twice within one menu bar or one menu, as "menu: key".
QStringList KeysUsedTwice(QWidget& screen) {
    QStringList twice;
    auto check = [&twice](const QString& where, const QList<QAction*>& actions) {
        QMap<QChar, QString> seen;
        for (QAction* action : actions) {
            const QChar key = AccessKey(action->text());
            if (key.isNull()) {
                continue;
            }
            if (seen.contains(key)) {
                twice << where + ": " + key + " (" + seen[key] + ", " + action->text() + ")";
            }
            seen[key] = action->text();
        }
    };
    for (QMenuBar* bar : screen.findChildren<QMenuBar*>()) {
        check(screen.objectName() + " menu bar", bar->actions());
    }
    for (QMenu* menu : screen.findChildren<QMenu*>()) {
        check(screen.objectName() + " " + menu->title(), menu->actions());
    }
    return twice;
}

} // namespace

TEST(AccessKeys, NoKeyTwiceInAnyMenuOfAnyScreen) {
    TestStation station;
    StationState vars = LoadedVars(station);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    MainWindow main(fakes.services, vars);
    ObsScreen obs(fakes.services);
    StandardScreen standard(fakes.services);
    HgtestScreen hgtest(fakes.services);
    IcScreen ic(fakes.services);
    int menus = 0;
    for (QWidget* screen : std::initializer_list<QWidget*>{&main, &obs, &standard, &hgtest, &ic}) {
        EXPECT_EQ(KeysUsedTwice(*screen), QStringList()) << screen->objectName().toStdString();
        menus += static_cast<int>(screen->findChildren<QMenu*>().size());
    }
    // The walk saw the menus: the main screen's five and the others' own.
    EXPECT_GE(menus, 8);
    // The Reports menu: the plots and the plan on keys of their own.
    QStringList reports;
    for (QMenu* menu : main.findChildren<QMenu*>()) {
        if (menu->objectName() == "mnuReports") {
            for (QAction* action : menu->actions()) {
                reports << action->text();
            }
        }
    }
    EXPECT_EQ(reports, QStringList({"&TODAY", "&Plots", "Today's Pla&n", "&Quality of a day",
                                    "&WOUDC file of a day\u2026", "&Other Days"}));
}
