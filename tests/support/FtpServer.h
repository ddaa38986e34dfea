// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QTemporaryDir>

namespace quillon::test {

// A real FTP server on 127.0.0.1 (pyftpdlib under the system Python) with a
// temporary root, user "dobson" and password "secret".
class FtpServer {
public:
    explicit FtpServer(const QString& mode = QStringLiteral("normal"));
    ~FtpServer();
    bool Started() const { return port_ > 0; }
    int Port() const { return port_; }
    QString Root() const { return root_.path() + u'/'; }
    QString Url() const { return QStringLiteral("FTP://127.0.0.1:%1/").arg(port_); }

private:
    QTemporaryDir root_;
    QProcess process_;
    int port_ = 0;
};

// A local port with nothing listening on it.
int ClosedPort();

} // namespace quillon::test
