// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the main screen's timer while mu stays in its range (no
// encoder configured), on a real offscreen main screen.
#include "app/screens/MainWindow.h"
#include "sound/Play.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace quillon;
using namespace quillon::test;

static void BM_MainTickSameRange(benchmark::State& state) {
    TestStation station;
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                     "\"12/02/2026\",\"12/03/2026\"\r\n");
    StationState vars;
    vars.setup.HomeDir = station.Home();
    TestServices fakes(vars, MakeDateTime(2026, 12, 10, 19, 0, 0));
    FakeClock& clock = fakes.clock;
    MainWindow main(fakes.services, vars);
    main.Load();
    main.show();
    main.Tick();
    for (auto _ : state) {
        clock.Advance(1.0);
        main.Tick();
    }
}
BENCHMARK(BM_MainTickSameRange)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
