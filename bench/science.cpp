// SPDX-License-Identifier: GPL-3.0-or-later
// The sun's mu (every second on the screen thread) and the zenith ozone
// polynomial.
#include "astro/AstroFunctions.h"
#include "ozone/OzoneCalc.h"
#include "support/TestStation.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace quillon;
using namespace quillon::test;

static void BM_SunMu(benchmark::State& state) {
    TestStation station;
    const StationState vars = LoadedVars(station);
    DateTimeValue t = MakeDateTime(2026, 12, 8, 19, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunMu(vars.setup, t));
        t += 1.0 / 86400.0;
    }
}
BENCHMARK(BM_SunMu);

static void BM_OzoneADZenith(benchmark::State& state) {
    TestStation station;
    StationState vars = LoadedVars(station);
    for (size_t i = 0; i < vars.setup.CloudCoef1.size(); ++i) {
        vars.setup.CloudCoef1[i] = 0.01 / static_cast<double>(i + 1);
    }
    for (size_t i = 0; i < vars.setup.CloudCoef2.size(); ++i) {
        vars.setup.CloudCoef2[i] = 0.002 / static_cast<double>(i + 1);
    }
    DateTimeValue t = MakeDateTime(2026, 12, 8, 19, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(OzoneADZenith(vars.setup, 120.0, "ZC", t));
        t += 1.0 / 86400.0;
    }
}
BENCHMARK(BM_OzoneADZenith);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
