// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/ArchiveTransfer.h"

#include "astro/AstroFunctions.h"
#include "records/DayFile.h"
#include "util/Format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

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

bool TransferPass::Failed() const {
    return !problems.isEmpty() ||
           std::any_of(files.begin(), files.end(),
                       [](const TransferOutcome& f) { return !f.sent || !f.moved; });
}

void ArchiveTransfer::Problem(TransferPass& pass, const QString& text) {
    pass.problems << text;
    Show(text);
    Comment(text);
}

// Why a data directory holds nothing for the archive, so that an operator
// who expected a file to leave learns where it is.
QString ArchiveTransfer::NothingToSend(const QString& today) const {
    const QDir data(setup_.DataDir);
    const QStringList practice =
        data.entryList({QStringLiteral("D*.999")}, QDir::Files, QDir::Name);
    if (setup_.InstrumentId != QStringLiteral("999") && !practice.isEmpty()) {
        return QStringLiteral("Nothing to send: %1 day file(s) ending .999 (%2) were kept "
                              "without the encoder and are never sent to the archive.")
            .arg(practice.size())
            .arg(practice.join(QStringLiteral(", ")));
    }
    if (!data.entryList({today + u'.' + setup_.InstrumentId}, QDir::Files).isEmpty()) {
        return QStringLiteral("Nothing to send: today's file ") + today + u'.' +
               setup_.InstrumentId + QStringLiteral(" is still being written.");
    }
    return QStringLiteral("Nothing to send: no finished day files D*.") + setup_.InstrumentId +
           QStringLiteral(" in ") + setup_.DataDir;
}

TransferPass ArchiveTransfer::FindFiles2SendSA() {
    TransferPass pass;
    if (running_) {
        return pass;
    }
    if (!site_.error.isEmpty()) {
        pass.problems << site_.error;
        Show(site_.error);
        Comment(QStringLiteral("Failed: ") + site_.error);
        return pass;
    }
    const QFileInfo dataDir(QDir::cleanPath(setup_.DataDir)); // "x/" of a file is no file
    if (!dataDir.isDir() || !dataDir.isReadable()) {
        const QString why = !dataDir.exists()  ? QStringLiteral("it does not exist")
                            : !dataDir.isDir() ? QStringLiteral("it is not a directory")
                                               : QStringLiteral("permission denied");
        // No comment: today's day file lives in that directory too.
        pass.problems << QStringLiteral("Failed: cannot read the data directory ") +
                             setup_.DataDir + QStringLiteral(": ") + why;
        Show(pass.problems.last());
        return pass;
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
            Problem(pass,
                    QStringLiteral("Skipped ") + file + QStringLiteral(": not a regular file"));
            continue;
        }
        Show(QStringLiteral("Attempting to send:") + file);
        TransferOutcome outcome;
        outcome.file = file;
        outcome.sent = Sendafile(setup_.DataDir, file, &outcome.message);
        pass.files << outcome;
        if (!outcome.sent) {
            Show(QStringLiteral("Failed to send:") + file);
            Comment(QStringLiteral("Failed:") + file + u':' + outcome.message);
            break;
        }
        Comment(QStringLiteral("Sent:") + file);
        QString moveMessage;
        pass.files.last().moved = Trans2Archive(file, &moveMessage);
        if (!pass.files.last().moved) {
            pass.files.last().message = moveMessage;
            Show(QStringLiteral("Failed Archive ") + file + QStringLiteral(": ") + moveMessage);
            Comment(QStringLiteral("Failed Archive ") + file);
            break;
        }
    }
    running_ = false;
    if (pass.files.isEmpty() && pass.problems.isEmpty()) {
        pass.nothingToSend = NothingToSend(today);
        Show(pass.nothingToSend);
    }
    return pass;
}

bool ArchiveTransfer::Sendafile(const QString& directory, const QString& file, QString* message) {
    const FtpClient::Site site{site_.url, site_.user, site_.password, site_.caFile};
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
