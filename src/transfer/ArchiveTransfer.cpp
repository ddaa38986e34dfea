// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/ArchiveTransfer.h"

#include "astro/AstroFunctions.h"
#include "records/DayFile.h"
#include "util/Format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace quillon {

ArchiveTransfer::ArchiveTransfer(const StationSetup& setup, DayState& day, const ArchiveSite& site,
                                 const Clock& clock, OperatorMessages& messages, FtpClient& ftp)
    : setup_(setup), day_(day), site_(site), clock_(clock), messages_(messages), ftp_(ftp) {}

QString ArchiveFolderName(const QString& dayFileName) {
    const int year = 2000 + dayFileName.mid(1, 2).toInt();
    const int dayOfYear = dayFileName.mid(3, 3).toInt();
    const DateTimeValue date = DateSerial(year - 1, 12, 31) + dayOfYear;
    return FormatDate(date, u"MMM") + FormatNumber(year, u"####");
}

void ArchiveTransfer::Comment(const QString& text) {
    WriteCommentText(setup_, day_, clock_, messages_, text);
}

void ArchiveTransfer::Show(const QString& text) {
    if (show_) {
        show_(text);
    }
}

QList<TransferOutcome> ArchiveTransfer::FindFiles2SendSA() {
    QList<TransferOutcome> outcomes;
    if (running_) {
        return outcomes;
    }
    if (!site_.error.isEmpty()) {
        Show(site_.error);
        Comment(QStringLiteral("Failed: ") + site_.error);
        return outcomes;
    }
    running_ = true;
    // Today's file (by the one rule that names day files) is still being
    // written and stays.
    const QString today =
        DayFileName(setup_, LocalStandardTime(setup_, clock_.Now())).section(u'.', 0, 0);
    const QStringList files =
        QDir(setup_.DataDir)
            .entryList({QStringLiteral("D*.") + setup_.InstrumentId}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (file.section(u'.', 0, 0).compare(today, Qt::CaseInsensitive) == 0) {
            continue; // still being written
        }
        if (!QFileInfo(setup_.DataDir + file).isFile()) {
            // A link to a FIFO or a device: opening it would hang the pass.
            Comment(QStringLiteral("Skipped ") + file + QStringLiteral(": not a regular file"));
            continue;
        }
        Show(QStringLiteral("Attempting to send:") + file);
        TransferOutcome outcome;
        outcome.file = file;
        outcome.sent = Sendafile(setup_.DataDir, file, &outcome.message);
        outcomes << outcome;
        if (!outcome.sent) {
            Show(QStringLiteral("Failed to send:") + file);
            Comment(QStringLiteral("Failed:") + file + u':' + outcome.message);
            break;
        }
        Comment(QStringLiteral("Sent:") + file);
        QString moveMessage;
        outcomes.last().moved = Trans2Archive(file, &moveMessage);
        if (!outcomes.last().moved) {
            outcomes.last().message = moveMessage;
            Comment(QStringLiteral("Failed Archive ") + file);
            break;
        }
    }
    running_ = false;
    return outcomes;
}

bool ArchiveTransfer::Sendafile(const QString& directory, const QString& file, QString* message) {
    const FtpClient::Site site{site_.url, site_.user, site_.password};
    const FtpReply put = ftp_.Put(site, directory + file, file);
    if (!put.ok) {
        // A refused upload is a failed send, not the end of the program:
        // the file stays for the next pass.
        *message = put.text;
        return false;
    }
    const FtpReply listed = ftp_.List(site, file);
    if (!listed.ok) {
        *message = listed.text;
        return false;
    }
    if (listed.text.trimmed().isEmpty() || !listed.text.contains(file)) {
        *message = QStringLiteral("DIR failed to respond with file") + file;
        return false;
    }
    // A server that confirms an upload it stored only in part must not see
    // the file filed away as sent: the size it lists must be the file's.
    const std::optional<qint64> remote = ListedSize(listed.text, file);
    const qint64 local = QFileInfo(directory + file).size();
    if (remote && *remote != local) {
        *message =
            QStringLiteral("The archive holds %1 of the %2 bytes of ").arg(*remote).arg(local) +
            file + QStringLiteral(": it will be sent again.");
        return false;
    }
    message->clear();
    return true;
}

std::optional<qint64> ListedSize(const QString& listing, const QString& file) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& line : listing.split(u'\n')) {
        const QStringList f = line.trimmed().split(blanks, Qt::SkipEmptyParts);
        if (f.isEmpty() || f.last() != file) {
            continue;
        }
        bool ok = false;
        qint64 size = -1;
        if (f.size() >= 9 && !f[0].isEmpty() && QStringLiteral("-dl").contains(f[0][0])) {
            size = f[4].toLongLong(&ok); // Unix: mode links owner group size ...
        } else if (f.size() >= 4) {
            size = f[2].toLongLong(&ok); // DOS: date time size name
        }
        if (ok && size >= 0) {
            return size;
        }
    }
    return std::nullopt; // a listing whose sizes this program cannot read
}

bool ArchiveTransfer::Trans2Archive(const QString& file, QString* message) {
    const QString folder = ArchiveFolderName(file);
    const QString source = setup_.DataDir + file;
    const QString target = setup_.DataDir + folder + u'/' + file;
    if (!QDir(setup_.DataDir + folder).exists() && !QDir().mkpath(setup_.DataDir + folder)) {
        *message = QStringLiteral("Cannot create ") + setup_.DataDir + folder;
        return false;
    }
    // A file sent again after a failed move replaces its earlier copy.
    if (QFile::exists(target) && !QFile::remove(target)) {
        *message = QStringLiteral("Cannot replace ") + target;
        return false;
    }
    if (!QFile::copy(source, target)) {
        *message = QStringLiteral("Cannot copy ") + source + QStringLiteral(" to ") + target;
        return false;
    }
    if (!QFile::remove(source)) {
        *message = QStringLiteral("Cannot remove ") + source;
        return false;
    }
    message->clear();
    return true;
}

} // namespace quillon
