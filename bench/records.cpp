// SPDX-License-Identifier: GPL-3.0-or-later
// Day summary over a full day file, and start-up work apart from the
// 3-second parameter pause.
#include "config/GetInfo.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quillon;
using namespace quillon::test;

static void BM_SumToDay1000Obs(benchmark::State& state) {
    TestStation station;
    StationState vars = LoadedVars(station);
    vars.setup.UtcOffsetHours = 0;
    FakeClock clock(MakeDateTime(2006, 3, 24, 18, 0, 0));
    RecordingMessages messages;
    QStringList lines = DayFileHeader(vars.setup, clock.Now());
    const char* types[] = {"ADDSGQP", "CDDSGQP", "ADZB", "CDZC", "CCZB"};
    for (int i = 0; i < 1000; ++i) {
        ObsRecord r;
        r.writtenLocal = clock.Now();
        r.obsLocal = DateSerial(2006, 3, 24) + (6 + i * 0.01) / 24.0;
        r.type = types[i % 5];
        r.mu = 2.0 + (i % 7) * 0.1;
        r.ozone = 300 + i % 13;
        r.ozoneSpread = 1.1;
        lines += ObsRecordLines(r, vars.setup);
    }
    QFile file(DayFilePath(vars.setup, clock.Now()));
    file.open(QIODevice::WriteOnly);
    file.write(CrLfLines(lines));
    file.close();
    const SummaryDetail detail = static_cast<SummaryDetail>(state.range(0));
    for (auto _ : state) {
        SummaryTexts texts;
        SumToDay(vars.setup, clock, "03/24/2006", detail, vars.setup.DataDir, texts, messages);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_SumToDay1000Obs)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

static void BM_StartUpWork(benchmark::State& state) {
    TestStation station;
    FakeClock clock(MakeDateTime(2026, 12, 10, 18, 0, 0));
    RecordingMessages messages;
    for (auto _ : state) {
        StationState vars;
        vars.setup.HomeDir = station.Home();
        benchmark::DoNotOptimize(ReadConfiguration(vars.setup, vars.calibration, messages).ok());
        WriteCommentText(vars.setup, vars.day, clock, messages,
                         ReadArchiveSite(vars.setup.ConfigDir).startComment);
        OpenDayFile(vars.setup, vars.day, clock, messages);
        benchmark::DoNotOptimize(vars);
    }
}
BENCHMARK(BM_StartUpWork)->Unit(benchmark::kMillisecond);

// The browser's list over a month-folder-sized archive and beyond.
static void BM_ListDayFiles10000(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray day = "\"Boulder, Colorado\"\r\nDobson,61 \r\n03/24/2006\r\n12:00:00\r\n" +
                           QByteArray(70, '=') + "\r\nOBS,03/24/2006,120000,ADDSGQP,23.0\r\n x\r\n";
    for (int i = 0; i < 10000; ++i) {
        QFile file(dir.filePath(QStringLiteral("D%1.083").arg(i, 5, 10, QLatin1Char('0'))));
        file.open(QIODevice::WriteOnly);
        file.write(day);
    }
    for (auto _ : state) {
        const DayFileList list =
            ListDayFiles(dir.path() + QStringLiteral("/"), QStringLiteral("083"),
                         QStringLiteral("Boulder, Colorado"));
        benchmark::DoNotOptimize(list.entries.size());
    }
}
BENCHMARK(BM_ListDayFiles10000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
