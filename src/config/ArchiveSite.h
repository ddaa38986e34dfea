// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// The archive server of CallHome.cfg. It holds the archive password, so the
// program hands it to the transfer alone.
struct ArchiveSite {
    QString url;
    QString user;
    QString password;
    // The certificates (PEM) that the archive's TLS server is checked
    // against, for a server with its own or a private authority's
    // certificate; empty: the system's trusted authorities.
    QString caFile;
    // Why CallHome.cfg gives no usable site (no transfer then).
    QString error;
    // Set when other users of the computer may read CallHome.cfg.
    QString warning;
    // The start-up comment for the day file ("New Ftp Site Defined", ...).
    QString startComment;
};

} // namespace quillon
