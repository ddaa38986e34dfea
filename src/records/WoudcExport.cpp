// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/WoudcExport.h"

#include "config/ConfigFile.h"
#include "config/FatalFileError.h"
#include "records/DayFile.h"
#include "util/DurableFile.h"
#include "util/Format.h"

#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <cmath>
#include <utility>

namespace quillon {

namespace {

// A field as extended CSV takes it: quoted when it holds a comma or a quote.
QString Field(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"')) {
        return text;
    }
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString UtcOffset(float hours) {
    // Local = UTC - h, so the offset to add to UTC is -h.
    const double offset = -static_cast<double>(hours);
    const long seconds = std::lround(std::fabs(offset) * 3600.0);
    return (offset < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
           QStringLiteral("%1:%2:%3")
               .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
               .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
               .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

Result<WoudcStation> ReadWoudcStation(const StationSetup& setup) {
    WoudcStation read;
    WoudcStation* station = &read;
    try {
        ConfigFile file = ConfigFile::Open(setup.ConfigDir, QStringLiteral("woudc.cfg"),
                                           QStringLiteral("woudc.cfg"));
        station->platformId = file.Text().trimmed();
        station->country = file.Text().trimmed();
        station->gawId = file.Text().trimmed();
        station->agency = file.Text().trimmed();
        station->authority = file.Text().trimmed();
        station->model = file.Text().trimmed();
        if (const auto version = file.OptionalText(); version && !version->trimmed().isEmpty()) {
            station->version = version->trimmed();
        }
        // Each identifier as the archive takes it; the agency and the model
        // also name the file, so they hold no "/" and no blank.
        static const QRegularExpression platform(QStringLiteral("^[0-9]{1,5}$"));
        static const QRegularExpression country(QStringLiteral("^[A-Z]{3}$"));
        static const QRegularExpression gaw(QStringLiteral("^([A-Z0-9]{3})?$"));
        static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
        static const QRegularExpression authority(QStringLiteral("^[\\x20-\\x7E]{1,64}$"));
        static const QRegularExpression version(QStringLiteral("^[0-9]{1,3}\\.[0-9]{1,3}$"));
        const struct {
            int item;
            const char* what;
            const QString& value;
            const QRegularExpression& rule;
            const char* rule_text;
        } checks[] = {
            {1, "platform id", station->platformId, platform, "1 to 5 digits"},
            {2, "country", station->country, country, "an ISO 3166 code of three capitals"},
            {3, "GAW id", station->gawId, gaw, "three capitals or digits, or empty"},
            {4, "agency", station->agency, name, "1 to 32 letters, digits, '-' or '_'"},
            {5, "scientific authority", station->authority, authority,
             "1 to 64 printable ASCII characters"},
            {6, "instrument model", station->model, name, "1 to 32 letters, digits, '-' or '_'"},
            {7, "data version", station->version, version, "a version MAJOR.MINOR"},
        };
        for (const auto& check : checks) {
            if (!check.rule.match(check.value).hasMatch()) {
                QString shown = check.value.left(40);
                for (QChar& c : shown) {
                    if (c.unicode() < 0x20 || c.unicode() > 0x7E) {
                        c = u'?';
                    }
                }
                return Error{
                    ErrorKind::Station,
                    ResolveFileName(setup.ConfigDir, QStringLiteral("woudc.cfg")) +
                        QStringLiteral(": item %1 (%2) is not %3: \"%4\"")
                            .arg(check.item)
                            .arg(QLatin1String(check.what), QLatin1String(check.rule_text), shown)};
            }
        }
        return read;
    } catch (const FatalFileError& fault) {
        return Error{ErrorKind::Station,
                     setup.ConfigDir + QStringLiteral("woudc.cfg: ") + fault.Description()};
    }
}

bool WoudcCodes(const DayObservation& obs, int* wlCode, int* obsCode) {
    const QString& t = obs.type;
    if (t == QLatin1String("ADDSGQP") || t == QLatin1String("ADZB") || t == QLatin1String("ADZC")) {
        *wlCode = 0;
    } else if (t == QLatin1String("CDDSGQP") || t == QLatin1String("CDZB") ||
               t == QLatin1String("CDZC")) {
        *wlCode = 2;
    } else if (t == QLatin1String("ADDSFI")) {
        *wlCode = 4;
    } else if (t == QLatin1String("CDDSFI")) {
        *wlCode = 6;
    } else {
        return false;
    }
    if (t.contains(QLatin1String("DS"))) {
        *obsCode = 0;
        return true;
    }
    if (t.endsWith(QLatin1String("ZB"))) {
        *obsCode = 2;
        return true;
    }
    // Cloudy zenith: the sky of the record's second line decides, rule by
    // rule, the first that fits.
    const QString thickness = obs.line2.mid(59, 2).trimmed();
    const QString texture = obs.line2.mid(62, 1).trimmed();
    const QString special = obs.line2.mid(64, 6).trimmed();
    if (special == QLatin1String("FOG")) {
        *obsCode = 7;
    } else if (texture == QLatin1String("V") || special == QLatin1String("RAIN") ||
               special == QLatin1String("SNOW")) {
        *obsCode = 6;
    } else if (thickness == QLatin1String("TN")) {
        *obsCode = 3;
    } else if (thickness == QLatin1String("M")) {
        *obsCode = 4;
    } else if (thickness == QLatin1String("TK")) {
        *obsCode = 5;
    } else {
        *obsCode = 7; // a cloudy zenith whose sky was not recorded
    }
    return true;
}

namespace {

// A class's sums for its DAILY_SUMMARY row, keyed by (WLCode, ObsCode).
struct Sums {
    int n = 0;
    double sum = 0;
    double squares = 0;
};
using SummarySums = QMap<std::pair<int, int>, Sums>;

// The OBSERVATIONS rows, counted into `out` and summed into `summary`.
QStringList ObservationRows(const DayFileContents& contents, WoudcFile& out, SummarySums& summary) {
    QStringList rows;
    for (const DayObservation& obs : contents.observations) {
        int wl = 0;
        int code = 0;
        if (!WoudcCodes(obs, &wl, &code)) {
            continue;
        }
        const double ozone = obs.values[5];
        if (!std::isfinite(ozone) || ozone == -99.9) {
            continue; // not calculated
        }
        if (ozone < 100.0 || ozone > 700.0) {
            ++out.outOfRange;
            continue;
        }
        const QString time =
            obs.time.left(2) + u':' + obs.time.mid(2, 2) + u':' + obs.time.mid(4, 2);
        // Rounded as the row shows it, so the summary agrees with the rows.
        const QString o3 = FormatNumber(ozone, u"0.0");
        rows << time + u',' + QString::number(wl) + u',' + QString::number(code) + u',' +
                    FormatNumber(obs.values[4], u"0.000") + u',' + o3 + u',' +
                    FormatNumber(obs.values[6], u"0.0") + QStringLiteral(",,");
        Sums& s = summary[{wl, code}];
        const double shown = o3.toDouble();
        ++s.n;
        s.sum += shown;
        s.squares += shown * shown;
        ++out.exported;
    }
    return rows;
}

// The tables before the observations, and the OBSERVATIONS header.
QStringList HeaderTables(const StationSetup& setup, const WoudcStation& station,
                         const QString& number, DateTimeValue localDate, DateTimeValue madeUtc) {
    const QString date = FormatDate(localDate, u"YYYY-MM-DD");
    return {QStringLiteral("#CONTENT"),
            QStringLiteral("Class,Category,Level,Form"),
            QStringLiteral("WOUDC,TotalOzoneObs,1.0,1"),
            QString(),
            QStringLiteral("#DATA_GENERATION"),
            QStringLiteral("Date,Agency,Version,ScientificAuthority"),
            FormatDate(madeUtc, u"YYYY-MM-DD") + u',' + Field(station.agency) + u',' +
                Field(station.version) + u',' + Field(station.authority),
            QString(),
            QStringLiteral("#PLATFORM"),
            QStringLiteral("Type,ID,Name,Country,GAW_ID"),
            QStringLiteral("STN,") + Field(station.platformId) + u',' + Field(setup.StationName) +
                u',' + Field(station.country) + u',' + Field(station.gawId),
            QString(),
            QStringLiteral("#INSTRUMENT"),
            QStringLiteral("Name,Model,Number"),
            QStringLiteral("Dobson,") + Field(station.model) + u',' + number,
            QString(),
            QStringLiteral("#LOCATION"),
            QStringLiteral("Latitude,Longitude,Height"),
            FormatNumber(setup.Latitude, u"0.00") + u',' + FormatNumber(-setup.Longitude, u"0.00") +
                u',' + FormatNumber(setup.Altitude, u"0"),
            QString(),
            QStringLiteral("#TIMESTAMP"),
            QStringLiteral("UTCOffset,Date,Time"),
            UtcOffset(setup.UtcOffsetHours) + u',' + date + u',',
            QString(),
            QStringLiteral("#OBSERVATIONS"),
            QStringLiteral("Time,WLCode,ObsCode,Airmass,ColumnO3,StdDevO3,ColumnSO2,StdDevSO2")};
}

QStringList DailySummary(const SummarySums& summary) {
    QStringList lines = {QString(), QStringLiteral("#DAILY_SUMMARY"),
                         QStringLiteral("WLCode,ObsCode,nObs,MeanO3,StdDevO3")};
    for (auto it = summary.cbegin(); it != summary.cend(); ++it) {
        const Sums& s = it.value();
        const double mean = s.sum / s.n;
        QString sd;
        if (s.n > 1) {
            sd = FormatNumber(
                std::sqrt(std::max(0.0, (s.squares - s.sum * s.sum / s.n) / (s.n - 1))), u"0.0");
        }
        lines << QString::number(it.key().first) + u',' + QString::number(it.key().second) + u',' +
                     QString::number(s.n) + u',' + FormatNumber(mean, u"0.0") + u',' + sd;
    }
    return lines;
}

} // namespace

WoudcFile MakeWoudcFile(const StationSetup& setup, const WoudcStation& station,
                        const QString& dayFileName, const DayFileContents& contents,
                        DateTimeValue localDate, DateTimeValue madeUtc, const QStringList& leftOut,
                        const QString& note) {
    WoudcFile out;
    out.leftOut = static_cast<int>(leftOut.size());
    const QString number = FormatNumber(setup.InstrumentNumber, u"000");
    out.name = FormatDate(localDate, u"YYYYMMDD") + QStringLiteral(".Dobson.") + station.model +
               u'.' + number + u'.' + station.agency + QStringLiteral(".csv");
    SummarySums summary;
    const QStringList rows = ObservationRows(contents, out, summary);
    // The file's comments: what it was made from, and what it leaves out.
    QStringList lines = {QStringLiteral("*Quillon ") + QStringLiteral(QUILLON_VERSION) +
                         QStringLiteral(": day file ") + dayFileName};
    if (out.outOfRange > 0) {
        lines
            << QStringLiteral("*%1 observation(s) outside 100-700 DU left out").arg(out.outOfRange);
    }
    out.unreadable = static_cast<int>(contents.problems.size());
    if (out.unreadable > 0) {
        lines << QStringLiteral("*%1 record(s) of the day file could not be read and are left out")
                     .arg(out.unreadable);
    }
    for (const QString& observation : leftOut) {
        lines << QStringLiteral("*left out as flagged: ") + observation;
    }
    if (!note.isEmpty()) {
        lines << u'*' + note;
    }
    lines << HeaderTables(setup, station, number, localDate, madeUtc) << rows
          << DailySummary(summary);
    out.text = lines.join(u'\n').toUtf8() + '\n';
    return out;
}

QString NothingToSendReason(const WoudcFile& file, DateTimeValue localDate) {
    if (file.exported > 0) {
        return {};
    }
    const QString why =
        file.leftOut > 0
            ? QStringLiteral("%1 flagged observation(s) left out, no other").arg(file.leftOut)
        : file.outOfRange > 0
            ? QStringLiteral("%1 outside 100-700 DU, no other").arg(file.outOfRange)
            : QStringLiteral("only C/C' zenith or moon observations, or none");
    return QStringLiteral("no observation of ") + FormatDate(localDate, u"MM/DD/YYYY") +
           QStringLiteral(" can be sent to WOUDC (") + why + u')';
}

bool IsDataVersion(const QString& text) {
    static const QRegularExpression version(QStringLiteral("^[0-9]{1,3}\\.[0-9]{1,3}$"));
    return version.match(text).hasMatch();
}

QString NextDataVersion(const QString& version) {
    return version.section(u'.', 0, 0) + u'.' +
           QString::number(version.section(u'.', 1, 1).toInt() + 1);
}

const QRegularExpression& WoudcFileNames() {
    static const QRegularExpression names(QStringLiteral("^\\d{8}\\.Dobson\\..+\\.csv$"));
    return names;
}

Result<WoudcWritten> ExportWoudcDay(const StationSetup& setup, DateTimeValue date,
                                    DateTimeValue madeUtc, const QString& directory,
                                    const WoudcLeaveOut& leaveOut) {
    const Result<WoudcStation> station = ReadWoudcStation(setup);
    if (!station) {
        return station.error();
    }
    const QString dayPath = DayFilePath(setup, date);
    DayFileContents contents = ReadDayFile(dayPath, setup.StationName, date);
    if (contents.status != DayFileStatus::Ok) {
        return Error{ErrorKind::NotFound, contents.message.isEmpty()
                                              ? QStringLiteral("No day file ") + dayPath
                                              : contents.message};
    }
    const QStringList leftOut = leaveOut ? leaveOut(contents, date) : QStringList();
    const WoudcFile file = MakeWoudcFile(setup, *station, QFileInfo(dayPath).fileName(), contents,
                                         date, madeUtc, leftOut);
    if (const QString nothing = NothingToSendReason(file, date); !nothing.isEmpty()) {
        return Error{ErrorKind::BadContent, nothing};
    }
    const QString path = directory + file.name;
    RemoveLeftoverPartFiles(directory, WoudcFileNames());
    if (const Result<void> written = ReplaceFile(path, file.text); !written) {
        // Which file could not be written, not only the system's reason.
        return Error{ErrorKind::Unwritable, path + QStringLiteral(": ") + written.error().message};
    }
    WoudcWritten out{path, {}};
    const QString dayFileName = QFileInfo(dayPath).fileName();
    for (const QString& problem : contents.problems) {
        out.leftOut << dayFileName + QStringLiteral(": ") + problem;
    }
    return out;
}

Result<WoudcWritten> ExportWoudcDayOf(const StationSetup& setup, const QString& dateText,
                                      DateTimeValue madeUtc, const QString& directory,
                                      const WoudcLeaveOut& leaveOut) {
    DateTimeValue date = 0;
    if (!ParseMdy(dateText, &date)) {
        return Error{ErrorKind::BadContent,
                     dateText + QStringLiteral(" is not a date of the form MM/DD/YYYY.")};
    }
    return ExportWoudcDay(setup, date, madeUtc, directory, leaveOut);
}

} // namespace quillon
