// SPDX-License-Identifier: GPL-3.0-or-later
// The counter link against cub5-sim on a pseudo-terminal: samples averaged
// in a 1.0 s window, and the duration of a reading series with n = 10.
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "instrument/WaitGauge.h"
#include "station/StationState.h"
#include "support/Cub5Sim.h"
#include "support/Recorders.h"
#include "util/SystemClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

using namespace quillon;
using namespace quillon::test;

namespace {
class NoGauge : public GaugeDisplay {
public:
    void SetCallerText(const QString&, const QString&) override {}
    void Open(const QString&, int, int, const QString&) override {}
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return false; }
    void Close() override {}
};

struct Rig {
    Rig() {
        vars.setup.EncoderPort = sim.Device();
        vars.setup.EncoderInUse = true;
        (void)encoder.OpenEncoderPort();
        sim.Send("150 0.3");
    }
    Cub5Sim sim;
    StationState vars;
    SystemClock clock;
    SerialCounterLink link;
    RecordingMessages messages;
    Cub5Encoder encoder{vars.setup, link, clock, messages};
};
} // namespace

static void BM_ReadEncoderOneSecondWindow(benchmark::State& state) {
    Rig rig;
    double samples = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.encoder.ReadEncoder(1.0));
        samples += rig.encoder.SamplesInLastRead();
    }
    state.counters["samples"] = samples / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReadEncoderOneSecondWindow)->Iterations(5)->Unit(benchmark::kMillisecond);

static void BM_ReadRdialTenReadings(benchmark::State& state) {
    Rig rig;
    RecordingPlayer player;
    Sounds sounds(player);
    NoGauge gauge;
    rig.vars.settings.AudioPrompts = 0;
    for (auto _ : state) {
        int n = 10;
        benchmark::DoNotOptimize(
            ReadRdial(rig.vars.settings, rig.encoder, gauge, sounds, rig.clock, n));
    }
}
BENCHMARK(BM_ReadRdialTenReadings)->Iterations(2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
