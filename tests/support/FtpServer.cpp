// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FtpServer.h"

#include <QTcpServer>

namespace quillon::test {

FtpServer::FtpServer(const QString& mode) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(QUILLON_TEST_SUPPORT "/ftp_server.py"), mode, root_.path(),
                    QStringLiteral("dobson"), QStringLiteral("secret")});
    if (!process_.waitForStarted(5000)) {
        return;
    }
    while (process_.waitForReadyRead(10000)) {
        if (process_.canReadLine()) {
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("port "))) {
                port_ = line.mid(5).toInt();
            }
            return;
        }
    }
}

FtpServer::~FtpServer() {
    process_.kill();
    process_.waitForFinished(3000);
}

int ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace quillon::test
