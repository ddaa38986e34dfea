// SPDX-License-Identifier: GPL-3.0-or-later
#include "intercomparison/IntercomparisonSeries.h"

#include "records/DayFile.h"
#include "station/MeasurementStep.h"
#include "util/DurableFile.h"
#include "util/Format.h"
#include "util/TextFile.h"

#include <QFile>
#include <cmath>

namespace quillon {

namespace {

double SecondsOfMinute(DateTimeValue utc) {
    const double day = (utc - std::floor(utc)) * 86400.0;
    return day - 60.0 * std::floor(day / 60.0);
}

// The first half-minute mark at or after `utc` (a mark is reached when the
// seconds read 30).
DateTimeValue HalfMinuteMarkFrom(DateTimeValue utc) {
    const double seconds = SecondsOfMinute(utc);
    if (seconds >= 30.0 && seconds < 31.0) {
        return utc;
    }
    const double toMark = seconds < 30.0 ? 30.0 - seconds : 90.0 - seconds;
    return utc + toMark / 86400.0;
}

} // namespace

DateTimeValue NextHalfMinute(DateTimeValue utc) {
    const double seconds = SecondsOfMinute(utc);
    const DateTimeValue minute = utc - seconds / 86400.0;
    return minute + (seconds < 30.0 ? 30.0 : 90.0) / 86400.0;
}

IntercomparisonSeries::IntercomparisonSeries(Services& services, IntercomparisonScreens& screens)
    : s_(services), screens_(screens) {
    FollowClock();
}

void IntercomparisonSeries::FollowClock() {
    nextMark_ = NextHalfMinute(s_.clock.Now() - OffsetDays());
}

bool IntercomparisonSeries::WaitForMark(DateTimeValue mark,
                                        const std::function<QString(double)>& message) {
    for (;;) {
        if (paused_) {
            return false;
        }
        const double remaining = (mark + OffsetDays() - s_.clock.Now()) * 86400.0;
        if (remaining <= 0.0) {
            return true;
        }
        screens_.ShowMessage(message(remaining));
        s_.clock.WaitProcessingEvents(std::min(remaining, 0.25));
    }
}

void IntercomparisonSeries::NoteOffset() {
    if (offsetSeconds_ == recordedOffset_) {
        return;
    }
    recordedOffset_ = offsetSeconds_;
    WriteCommentText(s_.setup, s_.day, s_.clock, s_.messages,
                     QStringLiteral("Intercomparison on the partner's clock: offset ") +
                         FormatNumber(offsetSeconds_, u"+0;-0;0") +
                         QStringLiteral(" s from the computer clock"));
}

void IntercomparisonSeries::NoteLateStart(const QString& what, DateTimeValue due) {
    // More than a second late (the operator held the screen, the machine
    // stalled): the set keeps its real times, and the day file says why
    // they are not on the mark.
    const double late = (s_.clock.Now() - due) * 86400.0;
    if (late < 1.0) {
        return;
    }
    WriteCommentText(s_.setup, s_.day, s_.clock, s_.messages,
                     QStringLiteral("Intercomparison ") + what + QStringLiteral(" due at ") +
                         FormatDate(due, u"HH:MM:SS") + QStringLiteral(" started ") +
                         FormatNumber(std::floor(late), u"0") + QStringLiteral(" s late"));
}

void IntercomparisonSeries::AddComment(const QString& text) {
    WriteCommentText(s_.setup, s_.day, s_.clock, s_.messages, text);
}

void IntercomparisonSeries::Go() {
    calibration_ = s_.calibration;
    paused_ = false;
    failed_ = false;
    running_ = true;
    if (nextMark_ + OffsetDays() < s_.clock.Now()) {
        FollowClock(); // a mark already passed while stopped: the next one
    }
    while (!paused_ && !failed_) {
        const DateTimeValue mark = nextMark_;
        const bool reached = WaitForMark(mark, [this, mark](double remaining) {
            return QStringLiteral("Waiting for ") + FormatDate(mark + OffsetDays(), u"HH:MM:SS") +
                   QStringLiteral(" in ") + FormatNumber(std::ceil(remaining - 1e-6), u"###") +
                   QStringLiteral(" Secs");
        });
        if (!reached) {
            break;
        }
        NoteOffset();
        NoteLateStart(QStringLiteral("set"), mark + OffsetDays());
        starts_ << s_.clock.Now();
        const bool ok = RunSet(mark + OffsetDays());
        // The schedule moves on from the mark, never from when the set
        // happened to start or end.
        nextMark_ = mark + settings.spacingMinutes / 1440.0;
        if (!ok) {
            break;
        }
    }
    running_ = false;
}

bool IntercomparisonSeries::RunSet(DateTimeValue scheduled) {
    const IcSettings used = settings; // changes apply from the next set
    IcSet set;
    set.directSun = used.directSun;
    set.scheduledUtc = scheduled;
    static const char* const names[3] = {"C", "D", "A"};
    for (int w = 0; w < 3; ++w) {
        const QString name = QString::fromLatin1(names[w]);
        // C on the set's own mark, D and A on the following half-minute
        // marks of the series' clock.
        const DateTimeValue mark =
            w == 0 ? scheduled - OffsetDays() : HalfMinuteMarkFrom(s_.clock.Now() - OffsetDays());
        const bool reached = WaitForMark(mark, [&name](double) {
            return QStringLiteral("Waiting to Start ") + name + QStringLiteral(" at: 30 Secs");
        });
        if (!reached) {
            break; // paused: the set ends with what it has
        }
        if (w > 0) {
            NoteLateStart(name, mark + OffsetDays());
        }
        wavelengthStarts_ << s_.clock.Now();
        MeasurementSpec spec;
        spec.countdownCaption =
            QStringLiteral("Countdown for ") + name + QStringLiteral(" Intercomparison Ob.");
        spec.countdownLine = QStringLiteral("Set Q-levers for the ") + name +
                             QStringLiteral(" wavelength.\nHave the measurement started before the "
                                            "countdown completes.\n") +
                             (used.directSun ? QStringLiteral("Check Sun Spot and Close the Door!")
                                             : QStringLiteral("Zenith Ob!  GQP out!"));
        spec.countdownSeconds = 18;
        spec.readingCaption = QStringLiteral("Taking Readings for ") + name;
        DateTimeValue began = 0;
        spec.beforeReadings = [this, &began, &name] {
            began = s_.clock.Now();
            screens_.ShowMessage(QStringLiteral("Taking the ") + name +
                                 QStringLiteral(" intercomparison Ob."));
        };
        spec.practiceValue = [] { return 150.0; };
        int n = 14;
        const MeasurementResult result = RunMeasurementStep(s_, screens_.Gauge(), spec, n);
        if (result.outcome == MeasurementOutcome::Failed) {
            failed_ = true;
            break; // what was measured is still written
        }
        if (result.outcome == MeasurementOutcome::Escaped) {
            continue; // this wavelength stays unmeasured: "-90000"
        }
        set.wavelengths[static_cast<size_t>(w)] = IcMeasurement{began, result.mean, result.sd};
    }
    // Every scheduled set leaves its line, measured or not: the partner's
    // file has one for it, and a hole would misalign the two.
    WriteSet(set, used);
    return !failed_;
}

void IntercomparisonSeries::WriteSet(const IcSet& set, const IcSettings& used) {
    const IcResult result = ComputeIcSet(s_.setup, calibration_, set);
    screens_.ShowResultLine(IcResultLine(set, result));
    WriteIcSet(s_.setup, s_.day, s_.clock, s_.messages, set, result, used.sky, used.special);
}

bool WriteIcSet(const StationSetup& setup, DayState& day, const Clock& clock,
                OperatorMessages& messages, const IcSet& set, const IcResult& result,
                const QString& sky, const QString& special) {
    const QString path = CdaFilePath(setup, result.meanUtc);
    // The header goes in front of the first set; a header torn short (a
    // power cut while the first set was written) is completed, since the
    // append cuts its torn last line and the sets must follow all seven.
    const QStringList header = CdaHeaderLines(setup);
    QStringList complete;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = existing.read(64 * 1024);
        const QString text = DecodeWindows1252(bytes.left(bytes.lastIndexOf('\n') + 1));
        complete = SplitLines(text);
    }
    qsizetype present = 0;
    while (present < complete.size() && present < header.size() &&
           complete[present] == header[present]) {
        ++present;
    }
    QStringList lines;
    if (present == complete.size()) {
        lines = header.mid(present); // nothing there but (part of) the header
    }
    lines << CdaDataLine(setup, set, result);
    const Result<void> written = AppendRecord(path, CrLfLines(lines));
    if (!written) {
        messages.Show(QStringLiteral("Could not write to the CDA file ") + path +
                          QStringLiteral(": ") + written.error().message + u'\n' +
                          QStringLiteral("The set was not saved there."),
                      QStringLiteral("CDA File Error"));
        return false;
    }
    return AppendDayRecord(setup, day, clock,
                           IcDayRecordLines(setup, set, result, clock.Now(), sky, special),
                           messages);
}

} // namespace quillon
