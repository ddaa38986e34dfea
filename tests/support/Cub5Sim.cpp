// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Cub5Sim.h"

namespace quillon::test {

Cub5Sim::Cub5Sim() {
    process_.start(QStringLiteral(QUILLON_TOOLS_DIR "/cub5-sim"), {});
    if (!process_.waitForStarted(5000)) {
        return;
    }
    while (process_.waitForReadyRead(5000)) {
        if (process_.canReadLine()) {
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("device: "))) {
                device_ = line.mid(8);
            }
            return;
        }
    }
}

Cub5Sim::~Cub5Sim() {
    process_.write("quit\n");
    process_.closeWriteChannel();
    if (!process_.waitForFinished(2000)) {
        process_.kill();
        process_.waitForFinished();
    }
}

void Cub5Sim::Send(const QString& line) {
    process_.write((line + u'\n').toUtf8());
    process_.waitForBytesWritten(1000);
    while (!process_.canReadLine() && process_.waitForReadyRead(2000)) {
    }
    process_.readLine();
}

} // namespace quillon::test
