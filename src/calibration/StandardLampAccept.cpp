// SPDX-License-Identifier: GPL-3.0-or-later
// The standard lamp test's end: the run accepted, its record written to
// the lamp history and the day file, then the new corrections and the
// test's date, in that order.
#include "calibration/StandardLampTest.h"

#include "calibration/CalibrationChange.h"
#include "config/ConfigFile.h"
#include "config/InstCfg.h"
#include "ozone/OzoneCalc.h"
#include "records/DayFile.h"
#include "records/WholeRecords.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

namespace quillon {

std::array<double, 4> StandardLampTest::NewCorrections() const {
    std::array<double, 4> out = calibration_.LampCorr;
    if (!known_) {
        return out;
    }
    for (int i = 0; i < 4; ++i) {
        const double average = (means_[i][0] + means_[i][1] + means_[i][2]) / 3.0;
        out[i] = RtoN(calibration_, WavelengthCode(i), reference_[i]) -
                 RtoN(calibration_, WavelengthCode(i), average);
    }
    return out;
}

QString LampCorrectionPath(const StationSetup& setup) {
    return ResolveFileName(setup.ConfigDir, QStringLiteral("lampcorr.") + setup.InstrumentId);
}

QByteArray LampCorrectionText(const QString& date, const QString& lamp,
                              const std::array<double, 4>& c) {
    return CrLfLines({u'"' + date + u'"', u'"' + lamp + u'"',
                      FormatNumber(c[0], u"##0.0") + u',' + FormatNumber(c[1], u"##0.0") + u',' +
                          FormatNumber(c[2], u"##0.0") + u',' + FormatNumber(c[3], u"##0.0")});
}

StdLampRecord StandardLampTest::Record(DateTimeValue local) const {
    StdLampRecord record;
    record.local = local;
    record.lampName = lamp_;
    record.temperature = s_.settings.InstrumentTemperature;
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 3; ++k) {
            record.readings[static_cast<size_t>(3 * i + k)] = means_[i][k];
            record.spreads[static_cast<size_t>(3 * i + k)] = sds_[i][k];
        }
        record.averages[i] = (means_[i][0] + means_[i][1] + means_[i][2]) / 3.0;
        record.deviations[i] = (sds_[i][0] + sds_[i][1] + sds_[i][2]) / 3.0;
    }
    return record;
}

bool StandardLampTest::ConfirmChange(const std::array<double, 4>& fresh,
                                     const std::array<double, 4>& averages, bool* big) {
    const Calibration& inUse = s_.calibration;
    *big = false;
    for (int i = 0; i < 4; ++i) {
        *big = *big || BigChange(i, inUse.LampCorr[i], fresh[i]);
    }
    if (!*big) {
        return true;
    }
    QStringList lines = {QStringLiteral("Lamp: ") + lamp_};
    for (int i = 0; i < 4; ++i) {
        lines << WavelengthName(i) + QStringLiteral(": old ") +
                     FormatNumber(inUse.LampCorr[i], u"###.0") + QStringLiteral(" new ") +
                     FormatNumber(fresh[i], u"###.0") + QStringLiteral(" reference ") +
                     FormatNumber(reference_[i], u"###.0") + QStringLiteral(" test ") +
                     FormatNumber(averages[i], u"###.0");
    }
    return screens_.BigCorrectionChange(lines) == BigChangeChoice::UseNewValues;
}

bool StandardLampTest::Accept() {
    if (!complete_) {
        return false;
    }
    const StationSetup& setup = s_.setup;
    const DateTimeValue local = LocalStandardTime(setup, s_.clock.Now());
    const QString date = FormatDate(local, u"MM/DD/YYYY");
    const StdLampRecord record = Record(local);
    const std::array<double, 4> fresh = NewCorrections();
    bool big = false;
    if (!ConfirmChange(fresh, record.averages, &big)) {
        complete_ = false;
        return false;
    }
    Calibration updated = s_.calibration;
    updated.LastStdTest = date;
    const bool newCorrections = setup.EncoderInUse && known_;
    QList<CalibrationFile> files;
    if (newCorrections) {
        updated.LampCorr = fresh;
        updated.LampCorrLamp = lamp_;
        updated.LampCorrDate = date;
        files << CalibrationFile{LampCorrectionPath(setup), LampCorrectionText(date, lamp_, fresh)};
    }
    files << CalibrationFile{InstCfgPath(setup), InstCfgText(setup, updated)};
    // The record: the STDLAMP record to the lamp history, then to the day
    // file (with the warning's comment, in the same append). Then the
    // corrections: lampcorr, then inst.cfg; and a comment that they are in
    // use.
    const QStringList lines = StdLampRecordLines(record);
    const std::optional<CalibrationChangeFailure> failed = ChangeCalibration(
        &recorded_, [&] { return WriteRecord(lines, big, local); }, files);
    if (failed) {
        NotApplied(*failed);
        return false;
    }
    s_.calibration = updated;
    if (newCorrections) {
        WriteCommentText(setup, s_.day, s_.clock, s_.messages,
                         QStringLiteral("New lamp corrections in use from lamp ") + lamp_);
    }
    complete_ = false;
    recorded_ = false;
    return true;
}

Result<void> StandardLampTest::WriteRecord(const QStringList& lines, bool afterWarning,
                                           DateTimeValue local) {
    const QString history =
        s_.setup.HistoryDir + QStringLiteral("lamphist.") + s_.setup.InstrumentId;
    const auto wholeRecords = [](const QByteArray& contents) {
        return RecordsWholeLength(contents, 0, LampHistoryRecordLines);
    };
    const Result<void> written = AppendRecord(history, CrLfLines(lines), wholeRecords);
    if (!written) {
        return Error{written.error().kind,
                     history + QStringLiteral(": ") + written.error().message};
    }
    QStringList day;
    if (afterWarning) {
        day << CommentRecordLines({QStringLiteral("Test accepted after warning")}, local);
    }
    day << lines;
    AppendDayRecord(s_.setup, s_.day, s_.clock, day, s_.messages); // says so itself on failure
    return {};
}

void StandardLampTest::NotApplied(const CalibrationChangeFailure& failed) {
    if (!failed.recorded) {
        s_.messages.Show(QStringLiteral("Could not write to the lamp test history ") +
                             failed.error.message + u'\n' +
                             QStringLiteral("Nothing was saved; the corrections in use stay."),
                         QStringLiteral("Standard Lamp Test"));
        return;
    }
    const QString why = (failed.path.endsWith(QStringLiteral("inst.cfg"), Qt::CaseInsensitive)
                             ? QStringLiteral("Could not rewrite ")
                             : QStringLiteral("The lamp corrections could not be written to ")) +
                        failed.path + QStringLiteral(": ") + failed.error.message;
    WriteCommentText(s_.setup, s_.day, s_.clock, s_.messages,
                     QStringLiteral("Standard lamp test recorded, corrections not applied: ") +
                         why);
    s_.messages.Show(why + u'\n' +
                         QStringLiteral("The test is recorded; the corrections in use stay. "
                                        "Accept again to apply them."),
                     QStringLiteral("Standard Lamp Test"));
}

} // namespace quillon
