// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/ArchiveSite.h"
#include "config/StationSetup.h"
#include "records/DayState.h"
#include "transfer/FtpClient.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QList>
#include <functional>
#include <optional>

namespace quillon {

// The size of `file` in a directory listing (Unix or DOS style), when the
// listing shows one.
std::optional<qint64> ListedSize(const QString& listing, const QString& file);

// One file of a transfer pass.
struct TransferOutcome {
    QString file;
    bool sent = false;
    bool moved = false; // filed into its monthly folder
    QString message;    // why it failed
};

// What one pass did, and what it could not do.
struct TransferPass {
    QList<TransferOutcome> files;
    // Why the pass could not look at every file: an unusable archive site,
    // a data directory it cannot read, a day file it would not open.
    QStringList problems;
    // Why a pass without problems sent nothing ("" when it sent a file).
    QString nothingToSend;

    bool Failed() const;
};

// Sends finished day files to the archive server and files them by month
// in the data directory. A file is moved only after the server has listed
// it: a file that is not proven to have arrived stays where it is and is
// sent again by the next pass.
class ArchiveTransfer {
public:
    // `site` holds the archive password: its owner hands it to the transfer
    // alone, and keeps it for as long as the transfer lives.
    ArchiveTransfer(const StationSetup& setup, DayState& day, const ArchiveSite& site,
                    const Clock& clock, OperatorMessages& messages, FtpClient& ftp);

    // The main screen's message line.
    void SetMessageLine(std::function<void(const QString&)> show) { show_ = std::move(show); }

    // One pass over the data directory; stops at the first failure. A pass
    // asked for while one is running (from a tick inside it) does nothing.
    TransferPass FindFiles2SendSA();

    bool Sendafile(const QString& directory, const QString& file, QString* message);
    bool Trans2Archive(const QString& file, QString* message);

    bool Running() const { return running_; }

private:
    void Comment(const QString& text);
    void Show(const QString& text);
    void Problem(TransferPass& pass, const QString& text);
    QString NothingToSend(const QString& today) const;

    const StationSetup& setup_;
    DayState& day_;
    const ArchiveSite& site_;
    const Clock& clock_;
    OperatorMessages& messages_;
    FtpClient& ftp_;
    std::function<void(const QString&)> show_;
    bool running_ = false;
};

// The monthly archive folder of a day file: "D06083.083" gives "Mar2006".
QString ArchiveFolderName(const QString& dayFileName);

} // namespace quillon
