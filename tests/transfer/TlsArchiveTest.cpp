// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer to an archive whose TLS server has its own certificate:
// vsftpd on loopback with a self-signed certificate, trusted through the
// CA file that CallHome.cfg names, refused without it and in the clear.
#include "config/GetInfo.h"
#include "support/TlsFtpServer.h"
#include "transfer/ArchiveTransfer.h"
#include "transfer/CurlFtpClient.h"
#include "transfer/TransferFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

TEST_F(TransferTest, ATlsArchiveWithItsOwnCertificateIsTrustedThroughTheStationsCaFile) {
    TlsFtpServer server;
    if (!server.Started()) {
        GTEST_SKIP() << server.Reason().toStdString();
    }
    const QString url = QStringLiteral("ftpes://127.0.0.1:%1/up/").arg(server.Port());
    const auto callHome = [&](const QString& scheme, const QString& ca) {
        station.Write("config/CallHome.cfg", ("\"" + QString(url).replace("ftpes", scheme) +
                                              "\"\r\n\"anonymous\"\r\n\"station\"\r\n" + ca)
                                                 .toUtf8());
        site = ReadArchiveSite(station.ConfigDir());
    };
    QFile::copy(server.Certificate(), station.ConfigDir() + "archive-ca.pem");
    DayFile("D06083.083");
    const QByteArray original = station.Read("data/D06083.083");
    CurlFtpClient ftp;
    ArchiveTransfer transfer(vars.setup, vars.day, site, clock, messages, ftp);

    // The system does not know the server's certificate: nothing is sent.
    callHome("ftpes", "");
    EXPECT_TRUE(site.error.isEmpty());
    QList<TransferOutcome> out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_FALSE(out[0].sent);
    EXPECT_TRUE(out[0].message.contains("certificate", Qt::CaseInsensitive))
        << out[0].message.toStdString();
    // Nor in the clear: the server takes TLS sessions only.
    callHome("ftp", "\"archive-ca.pem\"\r\n");
    out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_FALSE(out[0].sent);
    EXPECT_TRUE(out[0].message.contains("530")) << out[0].message.toStdString();

    // The station's CA file, named in CallHome.cfg: sent over TLS, whole.
    callHome("ftpes", "\"archive-ca.pem\"\r\n");
    EXPECT_EQ(site.caFile, station.ConfigDir() + "archive-ca.pem");
    out = transfer.FindFiles2SendSA().files;
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(out[0].sent) << out[0].message.toStdString();
    QFile arrived(server.Uploads() + "D06083.083");
    ASSERT_TRUE(arrived.open(QIODevice::ReadOnly));
    EXPECT_EQ(arrived.readAll(), original);

    // A CA file that is not there: no transfer, and the reason.
    callHome("ftpes", "\"missing.pem\"\r\n");
    EXPECT_EQ(site.error, "CallHome.cfg names the CA file " + station.ConfigDir() +
                              "missing.pem, which cannot be read: no files will be sent.");
}
