// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/UnappliedChanges.h"

#include "calibration/QTable.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/PlotData.h"
#include "util/Format.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QDir>
#include <algorithm>

namespace quillon {

namespace {

QString Unreached(const QString& what, const QString& when) {
    return QStringLiteral("the ") + what + QStringLiteral(" of ") + when +
           QStringLiteral(" did not reach inst.cfg; inst.cfg holds the values from before it");
}

// "MM/DD/YYYY HH:MM" of a record's date and "HH:MM:SS" time.
QString When(DateTimeValue date, const QString& time) {
    return FormatDate(date, u"MM/DD/YYYY") + u' ' + time.left(5);
}

// A test of a history dated after the test inst.cfg names. An inst.cfg
// without the optional dates (a station's file from before it kept them)
// says nothing of its tests: nothing is claimed missing from it.
bool After(DateTimeValue tested, const QString& lastInInstCfg) {
    DateTimeValue last = 0;
    return ParseMdy(lastInInstCfg, &last) && tested > last;
}

// The text of a comment record's line, without its quotes.
QString Unquoted(const QString& line) {
    ItemReader reader(line);
    return reader.Next().value_or(QString());
}

QString NewestDayFile(const StationSetup& setup) {
    const QStringList names =
        QDir(setup.DataDir)
            .entryList({QStringLiteral("D*.") + DayFileExtension(setup)}, QDir::Files);
    const auto newest =
        std::max_element(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return DayFileSortKey(a) < DayFileSortKey(b);
        });
    return newest == names.end() ? QString() : setup.DataDir + *newest;
}

} // namespace

std::optional<UnappliedChange> UnappliedQTableChange(const QString& dayFilePath,
                                                     const Calibration& calibration) {
    const Result<QString> read = ReadTextFile(dayFilePath, kMaxDayFileBytes);
    if (!read) {
        return std::nullopt;
    }
    // The change's record: a comment "Q-table was Changed by: ..." and one
    // with its new values; a failed change is followed by a comment that
    // says it was not made.
    std::optional<UnappliedChange> pending;
    QString tag;
    for (const QString& line : SplitLines(*read)) {
        if (line.startsWith(QLatin1String("\"COMMENT\","))) {
            tag = line;
            continue;
        }
        const QString text = Unquoted(line);
        if (text.startsWith(QLatin1String("Q-table was Changed by: "))) {
            ItemReader fields(tag);
            fields.Next(); // COMMENT
            const QString date = fields.Next().value_or(QString());
            const QString time = fields.Next().value_or(QString());
            pending = UnappliedChange{QStringLiteral("Q-table change"), date + u' ' + time.left(5),
                                      QString(), QString()};
        } else if (pending && text.startsWith(QLatin1String(" New Values A: "))) {
            pending->newValues = text;
        } else if (text.startsWith(QLatin1String("The Q-table change above was not made"))) {
            pending.reset();
        }
    }
    if (!pending || pending->newValues.isEmpty() ||
        pending->newValues == QTableChangeComments(calibration, QString(), 0).value(1)) {
        return std::nullopt;
    }
    pending->text = Unreached(pending->what, pending->when);
    return pending;
}

QList<UnappliedChange> FindUnappliedChanges(const StationSetup& setup,
                                            const Calibration& calibration) {
    QList<UnappliedChange> out;
    const QList<HgPoint> hg =
        HgHistoryPoints(setup.HistoryDir + QStringLiteral("hghist.") + setup.InstrumentId);
    if (!hg.isEmpty() && After(hg.last().date, calibration.LastHgTest)) {
        const QString when = When(hg.last().date, hg.last().time);
        out << UnappliedChange{QStringLiteral("mercury test"), when, QString(),
                               Unreached(QStringLiteral("mercury test"), when)};
    }
    // inst.cfg holds both test dates or neither; without them the standard
    // lamp's date is only the corrections' own, which says nothing of a
    // test whose corrections were not taken.
    const bool datesInInstCfg = calibration.LastHgTest != QLatin1String("UNKNOWN");
    const QList<LampPoint> lamp =
        LampHistoryPoints(setup.HistoryDir + QStringLiteral("lamphist.") + setup.InstrumentId);
    if (datesInInstCfg && !lamp.isEmpty() && After(lamp.last().date, calibration.LastStdTest)) {
        const QString when = When(lamp.last().date, lamp.last().time);
        QString text = Unreached(QStringLiteral("standard lamp test"), when);
        // Its corrections are written before inst.cfg: they may be in use.
        if (calibration.LampCorrDate == FormatDate(lamp.last().date, u"MM/DD/YYYY")) {
            text += QStringLiteral(" (lampcorr.") + setup.InstrumentId +
                    QStringLiteral(" holds its corrections)");
        }
        out << UnappliedChange{QStringLiteral("standard lamp test"), when, QString(), text};
    }
    const QString newest = NewestDayFile(setup);
    if (!newest.isEmpty()) {
        if (std::optional<UnappliedChange> q = UnappliedQTableChange(newest, calibration)) {
            out << *q;
        }
    }
    return out;
}

} // namespace quillon
