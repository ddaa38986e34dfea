// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DayFile.h"

#include "records/DayFileReader.h"
#include "records/DaySummary.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <cmath>

namespace quillon {

namespace {

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

// A day file whose header is shorter than its five lines was cut while the
// day's first append was written; records appended after it would make
// the whole day unreadable. It is moved aside whole (as NAME.torn, or
// .torn2, …) and the day's file starts anew. Returns the comment that says
// so, empty when the header is whole.
QString SetTornHeaderAside(const QString& path, OperatorMessages& messages) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(4096);
    file.close();
    if (head.isEmpty() || head.count('\n') >= 5) {
        return {};
    }
    QString aside = path + QStringLiteral(".torn");
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = path + QStringLiteral(".torn%1").arg(n);
    }
    if (!QFile::rename(path, aside)) {
        return {};
    }
    const QString text =
        QStringLiteral("The day file's header was cut short (%1 bytes); it is kept as ")
            .arg(head.size()) +
        QFileInfo(aside).fileName() + QStringLiteral(" and the day's file started anew.");
    messages.Show(text, QStringLiteral("Day File"));
    return text;
}

bool AppendLines(const StationSetup& setup, DayState& day, const Clock& clock,
                 const QStringList& lines, OperatorMessages& messages, bool* created) {
    const DateTimeValue localNow = LocalStandardTime(setup, clock.Now());
    const QString path = DayFilePath(setup, localNow);
    const QString torn = SetTornHeaderAside(path, messages);
    const QFileInfo info(path);
    const bool isNew = !info.exists() || info.size() == 0;
    QStringList all;
    if (isNew) {
        all = DayFileHeader(setup, localNow);
        if (!day.NewFileComment.isEmpty()) {
            all += CommentRecordLines(WrapComment(day.NewFileComment), localNow);
        }
    }
    if (!torn.isEmpty()) {
        all += CommentRecordLines(WrapComment(torn), localNow);
    }
    all += lines;
    const Result<void> written = AppendRecord(path, CrLfLines(all), DayFileWholeLength);
    if (!written) {
        messages.Show(QStringLiteral("Could not write to the day file ") + path +
                          QStringLiteral(": ") + written.error().message + u'\n' +
                          QStringLiteral("The record was not saved."),
                      QStringLiteral("Day File Error"));
        return false;
    }
    day.DayFileLength = QFileInfo(path).size();
    if (created) {
        *created = isNew;
    }
    return true;
}

// Values the intercomparison writes in single precision.
double Single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

} // namespace

QString DayFileExtension(const StationSetup& setup) {
    return setup.EncoderInUse ? setup.InstrumentId : QStringLiteral("999");
}

QString DayFileName(const StationSetup& setup, DateTimeValue localDate, QChar letter) {
    return letter + FormatDate(localDate, u"YY") + FormatNumber(DayOfYear(localDate), u"000") +
           u'.' + DayFileExtension(setup);
}

QString DayFilePath(const StationSetup& setup, DateTimeValue localDate, QChar letter) {
    return setup.DataDir + DayFileName(setup, localDate, letter);
}

QStringList DayFileHeader(const StationSetup& setup, DateTimeValue localNow) {
    return {
        Quoted(setup.StationName),
        QStringLiteral("Dobson,") + Str(setup.InstrumentNumber) + u' ',
        FormatDate(localNow, u"MM/DD/YYYY"),
        FormatDate(localNow, u"HH:MM:SS"),
        QString(70, u'=') + QString::fromLatin1(kVersionTag),
    };
}

bool OpenDayFile(const StationSetup& setup, DayState& day, const Clock& clock,
                 OperatorMessages& messages) {
    const DateTimeValue localNow = LocalStandardTime(setup, clock.Now());
    const QString path = DayFilePath(setup, localNow);
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        day.DayFileLength = info.size();
        RefreshDaySummaryLines(setup, day, clock, messages);
        return true;
    }
    if (!AppendLines(setup, day, clock, {}, messages, nullptr)) {
        return false;
    }
    day.SummaryADDS = QStringLiteral("No ADDS Obs. Yet Today");
    day.SummaryADZenith = QStringLiteral("No AD Zenith Obs. Yet Today");
    day.SummaryCDDS = QStringLiteral("No CDDS Obs. Yet Today");
    return true;
}

bool AppendDayRecord(const StationSetup& setup, DayState& day, const Clock& clock,
                     const QStringList& lines, OperatorMessages& messages) {
    return AppendLines(setup, day, clock, lines, messages, nullptr);
}

QString ProvenanceText(const Calibration& calibration) {
    // Kept within one comment line (78 columns) for the usual names.
    return QStringLiteral("Quillon ") + QStringLiteral(QUILLON_VERSION) +
           QStringLiteral(" N-table ") + calibration.NTableDate + QStringLiteral(" Lampcorr ") +
           calibration.LampCorrDate + u' ' + calibration.LampCorrLamp +
           QStringLiteral(" Q-table ") + calibration.QTableDate;
}

bool WriteProvenanceComment(const StationSetup& setup, DayState& day,
                            const Calibration& calibration, const Clock& clock,
                            OperatorMessages& messages) {
    return WriteCommentText(setup, day, clock, messages, ProvenanceText(calibration));
}

QStringList WrapComment(const QString& text) {
    QString rest;
    for (const QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() <= 126) {
            // The text is written between double quotes, which the file has
            // no way to escape: a quote inside it becomes an apostrophe, so
            // a text line can never read as a record's tag and its fields.
            rest += c == u'"' ? u'\'' : c;
        }
    }
    QStringList lines;
    while (rest.size() > 78) {
        int p = 63;
        for (int pos = 78; pos >= 64; --pos) {
            if (rest[pos - 1] == u' ') {
                p = pos;
                break;
            }
        }
        lines << rest.left(p);
        rest = rest.mid(p);
    }
    if (!rest.isEmpty()) {
        lines << rest;
    }
    return lines;
}

QStringList CommentRecordLines(const QStringList& textLines, DateTimeValue localNow) {
    QStringList lines;
    lines << Quoted(QStringLiteral("COMMENT")) + u',' +
                 Quoted(FormatDate(localNow, u"MM/DD/YYYY")) + u',' +
                 Quoted(FormatDate(localNow, u"HH:MM:SS")) + u',' +
                 QString::number(textLines.size());
    for (const QString& line : textLines) {
        lines << Quoted(line);
    }
    return lines;
}

bool WriteCommentText(const StationSetup& setup, DayState& day, const Clock& clock,
                      OperatorMessages& messages, const QString& commentText) {
    const QStringList text = WrapComment(commentText);
    if (text.isEmpty()) {
        return true;
    }
    const DateTimeValue localNow = LocalStandardTime(setup, clock.Now());
    // A record's line count has two digits: a longer comment is written as
    // records of at most 99 lines, appended together.
    QStringList lines;
    for (qsizetype first = 0; first < text.size(); first += kMaxCommentLines) {
        lines << CommentRecordLines(text.mid(first, kMaxCommentLines), localNow);
    }
    return AppendDayRecord(setup, day, clock, lines, messages);
}

namespace {
// An R-dial field of six columns, " 000.0" for the dial's usual values. A
// value below zero keeps the width (" -01.0"), so that the columns other
// programs read never move.
QString ReadingField(double value) {
    const QString digits = FormatNumber(std::fabs(value), u"000.0");
    if (value >= 0 || digits == QLatin1String("000.0")) {
        return u' ' + digits;
    }
    const QString negative =
        u'-' + (digits.startsWith(u'0') ? digits.mid(1) : digits); // "-01.0", "-123.4"
    return negative.rightJustified(6, u' ');
}
} // namespace

QStringList ObsRecordLines(const ObsRecord& r, const StationSetup& setup) {
    const QString type = PadRight(r.type, 7);
    const QString time = FormatDate(r.obsLocal, u"hhmmss");
    // A C/C' observation computes no N-values: its N fields carry 0.0 rather
    // than whatever an earlier observation left behind.
    const bool noN = r.type.startsWith(QLatin1String("CC"));
    QString line1 = QStringLiteral("OBS,") + FormatDate(r.writtenLocal, u"MM/DD/YYYY") + u',' +
                    time + u',' + type + u',' + FormatNumber(r.temperature, u"##0.0") + u',' +
                    FormatNumber(noN ? 0.0 : r.n1, u" ##0.0") + u',' +
                    FormatNumber(noN ? 0.0 : r.n2, u" ##0.0") + u',' +
                    FormatNumber(r.spread, u"##0.0") + u',' + FormatNumber(r.mu, u" ##0.000") +
                    u',' + FormatNumber(r.ozone, u"##0.0") + u',' +
                    FormatNumber(r.ozoneSpread, u"##0.0");
    QString line2;
    for (const double reading : r.readings) {
        line2 += ReadingField(reading);
    }
    line2 += type + u' ' + FormatDate(r.obsLocal, u"DD") + u' ' + time + u' ' +
             FormatDate(r.obsLocal, u"MM") + u' ' + FormatDate(r.obsLocal, u"YY");
    const int widths[4] = {2, 1, 2, 1};
    for (int i = 0; i < 4; ++i) {
        line2 += u' ' + PadRight(r.sky[static_cast<size_t>(i)], widths[i]);
    }
    line2 += u' ' + PadRight(r.special, 6) + QStringLiteral("  ") + setup.InstrumentId +
             QStringLiteral("  ") + setup.StationCode;
    return {line1, line2};
}

QStringList HgLampRecordLines(const HgLampRecord& r) {
    QString line1 = QStringLiteral("HGLAMP,") + FormatDate(r.local, u"MM/DD/YYYY") + u',' +
                    FormatDate(r.local, u"HH:MM:SS") + u',';
    // The next 14-column print zone.
    const int zone = (static_cast<int>(line1.size()) / 14 + 1) * 14;
    line1 = PadRight(line1, zone);
    line1 += FormatNumber(r.startTemperature, u" 00.0") + u',' +
             FormatNumber(r.endTemperature, u" 00.0");
    QString upper;
    QString lower;
    for (int i = 0; i < 5; ++i) {
        upper += FormatNumber(r.upper[static_cast<size_t>(i)], u"  00.0") + u' ';
        lower += FormatNumber(r.lower[static_cast<size_t>(i)], u"  00.0") + u' ';
    }
    const QString line4 = QStringLiteral("  ") + FormatNumber(r.average, u" 00.00") +
                          QStringLiteral("  ") + FormatNumber(r.tableValue, u" 00.00") +
                          QStringLiteral("  ") + FormatNumber(r.difference, u" 00.00; -0.00") +
                          QStringLiteral("  ") + r.qTableDate;
    return {line1, upper, lower, line4};
}

QStringList StdLampRecordLines(const StdLampRecord& r) {
    const QString line1 = Quoted(QStringLiteral("STDLAMP")) + u',' +
                          Quoted(FormatDate(r.local, u"MM/DD/YYYY")) + u',' +
                          Quoted(FormatDate(r.local, u"HH:MM:SS")) + u',' + Quoted(r.lampName) +
                          u',' + Str(r.temperature).trimmed();
    QString readings;
    QString spreads;
    for (size_t i = 0; i < 12; ++i) {
        readings += FormatNumber(r.readings[i], u"000.0") + u' ';
        spreads += FormatNumber(r.spreads[i], u"000.0") + u' ';
    }
    // In each group the first value runs straight into the second; every
    // later value is followed by two blanks.
    auto group = [](const std::array<double, 4>& v) {
        return FormatNumber(v[0], u"000.0") + FormatNumber(v[1], u"000.0") + QStringLiteral("  ") +
               FormatNumber(v[2], u"000.0") + QStringLiteral("  ") + FormatNumber(v[3], u"000.0") +
               QStringLiteral("  ");
    };
    const QString line4 = QStringLiteral("Test Average: ") + group(r.averages) +
                          QStringLiteral(" Std Dev: ") + group(r.deviations);
    return {line1, readings, spreads, line4};
}

QStringList IntercompRecordLines(const IntercompRecord& r, const StationSetup& setup) {
    // The set time is cut to the whole minute.
    const double minutes = std::floor((r.setLocal - std::floor(r.setLocal)) * 1440.0 + 1e-7);
    const DateTimeValue set = std::floor(r.setLocal) + minutes / 1440.0;
    const QString time = FormatDate(set, u"hhmmss");
    QString line1 = Quoted(QStringLiteral("OBS")) + u',' +
                    Quoted(FormatDate(r.writtenLocal, u"MM/DD/YYYY")) + u',' + Quoted(time) + u',' +
                    Quoted(r.type) + u',';
    for (const double v : {r.rC, r.sdC, r.rD, r.sdD, r.rA, r.sdA}) {
        line1 += ReadingField(Single(v)) + u',';
    }
    QString line2;
    for (const double v : {r.rC, r.rD, r.rA, 0.0, 0.0}) {
        line2 += ReadingField(Single(v));
    }
    line2 += PadRight(r.type, 7) + u' ' + FormatDate(set, u"DD") + u' ' + time + u' ' +
             FormatDate(set, u"MM") + u' ' + FormatDate(set, u"YY") + u' ' + PadRight(r.sky, 2) +
             QString(10, u' ') + PadRight(r.special, 5) + u' ' + setup.InstrumentId +
             QStringLiteral("  ") + setup.StationCode;
    return {line1, line2};
}

} // namespace quillon
