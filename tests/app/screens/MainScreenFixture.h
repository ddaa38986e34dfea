// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main screen's test fixture: a scratch station whose lamp tests are
// recent, the fakes, and the screen's labels and actions by name.
#include "app/screens/MainWindow.h"
#include "astro/AstroFunctions.h"
#include "observe/Guidance.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace quillon::test {

class MainScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars.setup.HomeDir = station.Home();
        // Lamp tests done recently, so start-up shows no overdue screen.
        station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                         "\"01/02/2027\",\"01/03/2027\"\r\n");
    }

    std::unique_ptr<MainWindow> Make() {
        auto window = std::make_unique<MainWindow>(fakes.services, vars);
        window->SetObservationRunner([this](const QString& type) { started << type; });
        return window;
    }

    static QString Text(QWidget& w, const char* name) {
        auto* label = w.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
    }

    static QAction* Action(QWidget& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }

    // Moves the clock through the local day until mu falls in `range`.
    bool SeekRange(int range, DateTimeValue day) {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            clock.Set(day + minute / 1440.0);
            if (MuRangeFor(SunMu(vars.setup, clock.Now())) == range) {
                return true;
            }
        }
        return false;
    }

    TestStation station;
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2027, 1, 5, 19, 30, 0)};
    FakeClock& clock = fakes.clock;
    RecordingMessages& messages = fakes.messages;
    RecordingPlayer& player = fakes.player;
    QStringList started;
};

} // namespace quillon::test
