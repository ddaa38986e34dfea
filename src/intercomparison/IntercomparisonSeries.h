// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instrument/WaitGauge.h"
#include "intercomparison/CdaSet.h"
#include "station/Services.h"

namespace quillon {

// What the series shows while it runs.
class IntercomparisonScreens {
public:
    virtual ~IntercomparisonScreens() = default;
    virtual GaugeDisplay& Gauge() = 0;
    virtual void ShowMessage(const QString& text) = 0; // "What's happening?"
    virtual void ShowResultLine(const QString& line) = 0;
};

struct IcSettings {
    bool directSun = true;
    int spacingMinutes = 4;
    QString sky = QStringLiteral("C ");        // "C ", "H ", "VH"
    QString special = QStringLiteral("     "); // "SMOG ", "DUST ", "SMOKE", "FOG  ", blanks
};

// The next set on the half minute: this minute's when the seconds are
// below 30, else the next minute's.
DateTimeValue NextHalfMinute(DateTimeValue utc);

// Sets on a fixed clock beside a travelling standard: each set measures
// C, D and A at successive half-minute marks; sets follow each other at the
// chosen spacing until the operator pauses. Every wait goes through the
// clock, so a test runs a whole series in milliseconds.
class IntercomparisonSeries {
public:
    IntercomparisonSeries(Services& services, IntercomparisonScreens& screens);

    IcSettings settings;

    // The settings as the operator has them; each set takes a copy of them
    // when it starts, so a change applies from the next set.
    // While stopped: the next set is the next half-minute mark.
    void FollowClock();
    // When the next set starts, on the computer clock (offset included).
    DateTimeValue NextSetTime() const { return nextMark_ + OffsetDays(); }
    // F5 and F6: every mark the series waits for a second earlier or later.
    // The two instruments' computers rarely agree to the second; the
    // offset puts the series on the partner's clock for the whole series.
    void Shift(int seconds) { offsetSeconds_ += seconds; }
    int OffsetSeconds() const { return offsetSeconds_; }

    // Runs sets until Pause(); returns then (or when the counter failed).
    // The calibration in use when it starts serves the whole run.
    void Go();
    void Pause() { paused_ = true; }
    bool Running() const { return running_; }

    // When each set and each wavelength's count-down began (UTC, computer
    // clock), for the record of a run.
    const QList<DateTimeValue>& SetStarts() const { return starts_; }
    const QList<DateTimeValue>& WavelengthStarts() const { return wavelengthStarts_; }

    // The operator's comment, entered while the series runs or waits: a
    // COMMENT record in the day file, and nothing else changes.
    void AddComment(const QString& text);

private:
    double OffsetDays() const { return offsetSeconds_ / 86400.0; }
    // Waits until the mark (offset-free) plus the offset as it is at each
    // moment, so a shift during the wait moves the wait.
    bool WaitForMark(DateTimeValue mark, const std::function<QString(double)>& message);
    bool RunSet(DateTimeValue scheduled);
    void WriteSet(const IcSet& set, const IcSettings& used);
    void NoteOffset();
    void NoteLateStart(const QString& what, DateTimeValue due);

    Services& s_;
    IntercomparisonScreens& screens_;
    Calibration calibration_;
    DateTimeValue nextMark_ = 0; // the next set's half-minute mark, without the offset
    int offsetSeconds_ = 0;
    int recordedOffset_ = 0;
    bool paused_ = false;
    bool running_ = false;
    bool failed_ = false;
    QList<DateTimeValue> starts_;
    QList<DateTimeValue> wavelengthStarts_;
};

// Appends a set to the CDA file (its header first when the file is new or
// empty) and to the day file. False, with the operator told, on failure.
bool WriteIcSet(const StationSetup& setup, DayState& day, const Clock& clock,
                OperatorMessages& messages, const IcSet& set, const IcResult& result,
                const QString& sky, const QString& special);

} // namespace quillon
