// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer pass of 30 day files to a loopback FTP server.
#include "records/DayFile.h"
#include "support/FakeClock.h"
#include "support/FtpServer.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace quillon;
using namespace quillon::test;

static void BM_TransferPass30Files(benchmark::State& state) {
    FtpServer server;
    TestStation station;
    StationState vars = LoadedVars(station);
    vars.setup.EncoderInUse = true;
    ArchiveSite site;
    site.url = server.Url();
    site.user = "dobson";
    site.password = "secret";
    FakeClock clock(MakeDateTime(2006, 3, 25, 12, 0, 0));
    RecordingMessages messages;
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);
    const QByteArray body = QByteArray("OBS,line of a day file\r\n").repeated(300);
    for (auto _ : state) {
        state.PauseTiming();
        for (int day = 40; day < 70; ++day) {
            station.Write(QStringLiteral("data/D06%1.061").arg(day, 3, 10, QChar('0')), body);
        }
        state.ResumeTiming();
        const QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
        if (out.size() != 30 || !out.last().moved) {
            state.SkipWithError("a file was not sent");
        }
    }
}
BENCHMARK(BM_TransferPass30Files)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
