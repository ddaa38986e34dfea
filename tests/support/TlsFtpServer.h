// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QTemporaryDir>

namespace quillon::test {

// A real TLS FTP server on 127.0.0.1: vsftpd as an ordinary process with
// its own configuration file and a self-signed certificate made for the
// test. It takes the anonymous user only, only over TLS (explicit, AUTH
// TLS), and stores uploads in its "up" directory. vsftpd needs root for
// its anonymous sessions; Reason() says why it did not start.
class TlsFtpServer {
public:
    TlsFtpServer();
    ~TlsFtpServer();
    bool Started() const { return reason_.isEmpty(); }
    const QString& Reason() const { return reason_; }
    // The server's certificate, PEM: the CA file that trusts it.
    QString Certificate() const { return dir_.filePath(QStringLiteral("cert.pem")); }
    QString Uploads() const { return dir_.filePath(QStringLiteral("root/up/")); }
    int Port() const { return port_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    QString reason_;
};

} // namespace quillon::test
