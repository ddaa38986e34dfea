// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Calibration.h"
#include "config/StationSetup.h"
#include "records/DayState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QStringList>
#include <array>

namespace quillon {

// The day data file: every result of the station's local standard day, one
// record after another, named "D" + YY + DDD + "." + instrument suffix (or
// ".999" when no encoder is configured) in the data directory.

QString DayFileExtension(const StationSetup& setup);
// "D07097.083" for `letter` 'D'; the summary file uses 'S'.
QString DayFileName(const StationSetup& setup, DateTimeValue localDate, QChar letter = u'D');
QString DayFilePath(const StationSetup& setup, DateTimeValue localDate, QChar letter = u'D');

// The five header lines of a new day file, created at local time `localNow`.
QStringList DayFileHeader(const StationSetup& setup, DateTimeValue localNow);

// Opens today's day file, creating it with its header when it is empty, and
// refreshes the day's summary lines: "... Yet Today" for a new file, the
// brief summary for one that already holds records. False (after telling
// the operator) when the file could not be written.
bool OpenDayFile(const StationSetup& setup, DayState& day, const Clock& clock,
                 OperatorMessages& messages);

// Appends one record (its lines) to today's day file as a whole, with the
// header in front when the file is new. On failure the operator is told
// that the record was not saved, and false is returned.
bool AppendDayRecord(const StationSetup& setup, DayState& day, const Clock& clock,
                     const QStringList& lines, OperatorMessages& messages);

// Cuts a comment into the text lines of a COMMENT record: characters outside
// 32..126 removed, lines of at most 78 characters broken at the last blank
// among positions 64 to 78 (or after 63 characters when there is none).
QStringList WrapComment(const QString& text);

// The most text lines one COMMENT record can declare (its count has two
// digits); a longer comment is written as several records.
inline constexpr int kMaxCommentLines = 99;

// Writes `text` as a COMMENT record (nothing when it is empty).
bool WriteCommentText(const StationSetup& setup, DayState& day, const Clock& clock,
                      OperatorMessages& messages, const QString& text);

// The calibration a day's records are made with, as a comment written at
// start-up and at the start of every day file: the program version, the
// N-table date, the lamp correction date and lamp, and the Q-table date.
QString ProvenanceText(const Calibration& calibration);
bool WriteProvenanceComment(const StationSetup& setup, DayState& day,
                            const Calibration& calibration, const Clock& clock,
                            OperatorMessages& messages);

// The lines of a COMMENT record written at local time `localNow`.
QStringList CommentRecordLines(const QStringList& textLines, DateTimeValue localNow);

// A completed observation as it goes into its two-line OBS record.
struct ObsRecord {
    DateTimeValue writtenLocal = 0; // LST at writing (date field)
    DateTimeValue obsLocal = 0;     // LST of the observation's mean time
    QString type;
    double temperature = 0;
    double n1 = 0;
    double n2 = 0;
    double spread = 0;
    double mu = 0;
    double ozone = 0;
    double ozoneSpread = 0;
    // First wavelength 1, 2, 3, second wavelength 1, 2.
    std::array<double, 5> readings{};
    // Sky-condition codes (widths 2, 1, 2, 1) and the special-condition word.
    std::array<QString, 4> sky;
    QString special;
};
QStringList ObsRecordLines(const ObsRecord& record, const StationSetup& setup);

// The mercury lamp test record (also the history file's record).
struct HgLampRecord {
    DateTimeValue local = 0;
    double startTemperature = 0;
    double endTemperature = 0;
    std::array<double, 5> upper{};
    std::array<double, 5> lower{};
    double average = 0;
    double tableValue = 0;
    double difference = 0;
    QString qTableDate;
};
QStringList HgLampRecordLines(const HgLampRecord& record);

// The standard lamp test record; arrays in the order A, C, C', D.
struct StdLampRecord {
    DateTimeValue local = 0;
    QString lampName;
    double temperature = 0;
    std::array<double, 12> readings{};
    std::array<double, 12> spreads{};
    std::array<double, 4> averages{};
    std::array<double, 4> deviations{};
};
QStringList StdLampRecordLines(const StdLampRecord& record);

// An intercomparison set ("I DSGQP" direct sun, "UMKEHR" zenith).
struct IntercompRecord {
    DateTimeValue writtenLocal = 0;
    DateTimeValue setLocal = 0; // cut to the whole minute by the writer
    QString type;
    // C, D and A readings and their standard deviations.
    double rC = 0, sdC = 0, rD = 0, sdD = 0, rA = 0, sdA = 0;
    QString sky;     // "C ", "H " or "VH"
    QString special; // "SMOG ", "DUST ", "SMOKE", "FOG  " or blanks
};
QStringList IntercompRecordLines(const IntercompRecord& record, const StationSetup& setup);

} // namespace quillon
