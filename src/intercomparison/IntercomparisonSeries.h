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

    // While stopped: the next set time follows the clock.
    void FollowClock();
    DateTimeValue NextSetTime() const { return next_; }
    // F5 and F6: the next set a second earlier or later, to match the
    // partner instrument's clock.
    void Shift(int seconds);

    // Runs sets until Pause(); returns then (or when the counter failed).
    void Go();
    void Pause() { paused_ = true; }
    bool Running() const { return running_; }

    // When each set began (UTC), for the record of a run.
    const QList<DateTimeValue>& SetStarts() const { return starts_; }

private:
    bool WaitUntil(DateTimeValue target, const std::function<QString(double)>& message);
    bool RunSet();
    void WriteSet(const IcSet& set);

    Services& s_;
    IntercomparisonScreens& screens_;
    DateTimeValue next_ = 0;
    bool paused_ = false;
    bool running_ = false;
    bool failed_ = false;
    QList<DateTimeValue> starts_;
};

// Appends a set to the CDA file (its header first when the file is new or
// empty) and to the day file. False, with the operator told, on failure.
bool WriteIcSet(SharedVars& vars, const Clock& clock, OperatorMessages& messages, const IcSet& set,
                const IcResult& result, const QString& sky, const QString& special);

} // namespace quillon
