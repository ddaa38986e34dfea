// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the main screen's timer while mu stays in its range (no
// encoder configured), on a real offscreen main screen; and an hour of
// ticks that read the dial (0.8 a second, as at the station) on the fake
// counter, with the heap's growth per thousand reads once warmed up.
#include "app/screens/MainWindow.h"
#include "sound/Play.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestServices.h"
#include "support/TestStation.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <malloc.h>

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

// The heap in use: what malloc has handed out and not taken back.
static double HeapBytes() {
    return static_cast<double>(mallinfo2().uordblks);
}

static void BM_MainScreenHourOfDialReads(benchmark::State& state) {
    TestStation station;
    station.Write("disc.cfg", "config\r\ndata\r\nhistory\r\n/dev/ttyUSB0\r\n");
    station.Write("config/inst.cfg", "61,-0.25,96.5,118.2,132.7,174.3,\"06/15/2026\","
                                     "\"12/02/2026\",\"12/03/2026\"\r\n");
    StationState vars;
    vars.setup.HomeDir = station.Home();
    TestServices fakes(vars, MakeDateTime(2026, 12, 10, 19, 0, 0));
    fakes.link.SetValue(42.0);
    MainWindow main(fakes.services, vars);
    main.Load();
    main.show();
    // Warmed up: the first ten minutes of reads fill what caches there are.
    for (int i = 0; i < 600; ++i) {
        fakes.clock.Advance(1.0);
        main.Tick();
        QCoreApplication::processEvents(); // the screen paints
        fakes.link.written.clear();
    }
    for (auto _ : state) {
        const long readsBefore = main.ReadCount();
        const double heapBefore = HeapBytes();
        for (int second = 0; second < 3600; ++second) {
            fakes.clock.Advance(1.0);
            main.Tick();
            QCoreApplication::processEvents();
            fakes.link.written.clear(); // the fake's own log of requests
        }
        const double reads = static_cast<double>(main.ReadCount() - readsBefore);
        state.counters["reads"] = reads;
        state.counters["heap_growth_bytes_per_1000_reads"] =
            (HeapBytes() - heapBefore) * 1000.0 / std::max(reads, 1.0);
    }
}
BENCHMARK(BM_MainScreenHourOfDialReads)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
