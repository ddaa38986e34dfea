// SPDX-License-Identifier: GPL-3.0-or-later
// The Q-table review's read of a long mercury test history.
#include "calibration/QTable.h"
#include "records/DayFile.h"
#include "util/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace quillon;

static void BM_ReadHgHistory10000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("hghist.061");
    QStringList lines;
    for (int i = 0; i < 10000; ++i) {
        HgLampRecord r;
        r.local = DateSerial(2006, 1, 1) + i;
        r.startTemperature = 20.0;
        r.endTemperature = 20.5;
        r.upper = {78.0, 78.0, 78.0, 78.0, 78.0};
        r.lower = {70.6, 70.6, 70.6, 70.6, 70.6};
        r.average = 74.3;
        r.tableValue = 74.1;
        r.difference = (i % 7) * 0.1 - 0.3;
        r.qTableDate = QStringLiteral("24 Mar 2006");
        lines << HgLampRecordLines(r);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(CrLfLines(lines));
    file.close();
    for (auto _ : state) {
        const HgHistory history = ReadHgHistory(path);
        benchmark::DoNotOptimize(history.count);
    }
}
BENCHMARK(BM_ReadHgHistory10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
