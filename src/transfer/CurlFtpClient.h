// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/FtpClient.h"

#include <functional>

namespace quillon {

// FTP through libcurl, driven from the screen thread: while a request
// waits for the server the screen's events are handled, so the program
// stays responsive.
class CurlFtpClient : public FtpClient {
public:
    CurlFtpClient();
    ~CurlFtpClient() override;

    FtpReply Put(const Site& site, const QString& localPath, const QString& remoteName) override;
    FtpReply List(const Site& site, const QString& remoteName) override;

    // The directory URL of a site: the scheme in lower case, a final "/".
    static QString DirectoryUrl(const QString& url);

    // The limit on time without a byte moving (tests shorten it).
    void SetNoProgressSeconds(int seconds) { noProgressSeconds_ = seconds; }

private:
    int noProgressSeconds_ = kTimeoutSeconds;
};

} // namespace quillon
