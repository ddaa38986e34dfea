// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// What the archive server said to one request.
struct FtpReply {
    bool ok = false;
    long code = 0; // the server's last response code (0 when none came)
    QString text;  // listing text, or the reason of a failure
};

// The archive site's FTP server: upload one file, list one file.
class FtpClient {
public:
    virtual ~FtpClient() = default;

    struct Site {
        QString url; // "FTP://host/dir/" in any letter case; ftps:// too
        QString user;
        QString password;
        QString caFile; // PEM certificates to check a TLS server by; empty: the system's
    };

    // Uploads `localPath` as `remoteName` in the site's directory.
    virtual FtpReply Put(const Site& site, const QString& localPath, const QString& remoteName) = 0;
    // Lists `remoteName` in the site's directory (empty text: not there).
    virtual FtpReply List(const Site& site, const QString& remoteName) = 0;

    // Requests give up after this long without progress: no connection, no
    // answer from the server, or no byte moved. A slow transfer that keeps
    // moving runs as long as it needs.
    static constexpr int kTimeoutSeconds = 30;
};

} // namespace quillon
