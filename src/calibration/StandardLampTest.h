// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calibration/CalibrationChange.h"
#include "instrument/WaitGauge.h"
#include "records/DayFile.h"
#include "station/Services.h"
#include "util/Answers.h"

#include <QList>
#include <QStringList>
#include <array>
#include <optional>

namespace quillon {

// The standard lamp test: a lamp of known output over the inlet window,
// the R-dial read on A, C, C' and D three times over; the averages against
// the lamp's reference readings, turned into N-values, become the lamp
// corrections that every observation's N-values carry.

// Wavelengths in the test's order.
enum LampWavelength { kLampA = 0, kLampC = 1, kLampCPrime = 2, kLampD = 3 };

struct ReferenceLamp {
    QString name;
    std::array<double, 4> values{}; // A, C, C', D
};

// "reflmps." + instrument number in the configuration directory: a date
// line, then one record per lamp (name and four reference R-dial values).
// A missing or unreadable file gives no lamps.
struct ReferenceLamps {
    QString date; // the file's own date, kept apart from the N-table's
    QList<ReferenceLamp> lamps;
    QStringList problems; // lines skipped and why, or why the file is unreadable
};
ReferenceLamps ReadReferenceLamps(const StationSetup& setup);

// The choices of "Handle_ESC", after an escape from a measurement.
enum class LampEscapeChoice { Redo, SequenceOver, StartOver, NewLamp, TopLevel };
// The choices of "blunder".
enum class GrossErrorChoice { Continue, StartOver, NewLamp };
// The choices of "Big_corr_change".
enum class BigChangeChoice { UseNewValues, StartOver };

// What the test shows and asks while it runs.
class StandardLampScreens {
public:
    virtual ~StandardLampScreens() = default;
    virtual GaugeDisplay& Gauge() = 0;
    // The opening entries (initials, then the instrument temperature);
    // nothing when the operator escaped.
    virtual std::optional<QString> AskInitials(const QString& caption,
                                               const QStringList& lines) = 0;
    virtual std::optional<double> AskTemperature(const QString& caption,
                                                 const QStringList& lines) = 0;
    // The operator prompt.
    virtual ContinueOrEscape OperatorPrompt(const QString& caption, const QStringList& lines) = 0;
    // "Handle_ESC" with the stage text.
    virtual LampEscapeChoice EscapeChoice(const QString& stage) = 0;
    // "Hi_SD" with its top line; the measurement is then made again.
    virtual void HighDeviation(const QString& line) = 0;
    // "blunder": readings far from the lamp's reference values.
    virtual GrossErrorChoice GrossError() = 0;
    // "Hi_Scatter" with the wavelength's readings line.
    virtual void Scattered(const QString& line) = 0;
    virtual void ShowReading(int wavelength, int sequence, double mean) = 0;
    virtual void ClearReadings() = 0;
    virtual void ShowAverages(const std::array<double, 4>& averages) = 0;
    // "Big_corr_change".
    virtual BigChangeChoice BigCorrectionChange(const QStringList& lines) = 0;
    // "Standard Lamp Rejected": Continue rejects the run, Escape keeps it.
    virtual ContinueOrEscape ConfirmRejectRun() = 0;
};

enum class LampRunOutcome {
    Complete,  // averages shown, Accept and Reject offered
    Discarded, // scattered readings: nothing kept
    StartOver, // start again with this lamp
    NewLamp,   // choose another lamp
    TopLevel,  // the test screen closes
    Failed,    // the counter failed; the program is ending
};

class StandardLampTest {
public:
    StandardLampTest(Services& services, StandardLampScreens& screens, ReferenceLamps lamps);

    const ReferenceLamps& Lamps() const { return lamps_; }
    // The lamp by name, ignoring case; whether its reference values are known.
    bool SelectLamp(const QString& name);
    // The operator's Select: false for no name (empty, or the list's own
    // "Lamp Name"), else the lamp is chosen.
    bool ChooseLamp(const QString& name);
    bool LampChosen() const { return lampChosen_; }

    // The opening: the initials with the set-up instructions, then the
    // instrument temperature. False when the operator escaped from either.
    bool Open();
    const QString& LampName() const { return lamp_; }
    bool ReferenceKnown() const { return known_; }
    const std::array<double, 4>& Reference() const { return reference_; }

    // The three sequences of A, C, C', D with every check.
    LampRunOutcome Run();
    // Start: the run, after which the test screen shows what comes next.
    // A new lamp forgets the one chosen.
    enum class Next { Inspect, ChooseLamp, Ready, Leave };
    Next Start();

    // The new corrections from the averages (the ones in use when the
    // lamp's reference values are not known).
    std::array<double, 4> NewCorrections() const;

    // Accept: the change check, the STDLAMP record to the history and the
    // day file, then the corrections (lampcorr and inst.cfg written before
    // the shared state changes) and the last standard lamp test date. False
    // when the operator started over at the change check, or a file could
    // not be written (the operator has been told); after a failed write
    // the run stays complete, so Accept can be tried again.
    bool Accept();
    bool Complete() const { return complete_; }
    // The screen's Accept: saved; started over (the change check); or the
    // run kept for Accept to be tried again after a file failed.
    enum class Accepted { Saved, StartOver, TryAgain };
    Accepted AcceptRun();
    // Reject, once the operator confirms it: the run is thrown away. True
    // when it was.
    bool Reject();
    // New Temperature: the instrument temperature asked again (kept when
    // the operator escapes); a finished run stays to be accepted.
    void NewTemperature();

    static QString WavelengthName(int w);
    // The N-table's code of the test's wavelength `w` (kLampA ... kLampD).
    static int WavelengthCode(int w);

    // The checks, by wavelength: a deviation that asks for the measurement
    // again (over 0.5, 0.75 for C'), three means scattered beyond the same
    // limit, and a correction changed by more than 1.0 (1.5 for D).
    static bool DeviationTooHigh(int w, double sd);
    static bool Scattered(int w, const std::array<double, 3>& means);
    static bool BigChange(int w, double inUse, double fresh);

private:
    enum class Step { Next, Redo, SequenceOver, RestartAll, Stop };
    Step Measure(int w, int sequence, LampRunOutcome* stop);
    StdLampRecord Record(DateTimeValue local) const;
    // The change check: true to go on (no big change, or the operator took
    // the new values); `big` says whether the check was asked.
    bool ConfirmChange(const std::array<double, 4>& fresh, const std::array<double, 4>& averages,
                       bool* big);
    Result<void> WriteRecord(const QStringList& lines, bool afterWarning, DateTimeValue local);
    void NotApplied(const CalibrationChangeFailure& failed);
    QStringList PromptLines(int w, int sequence) const;

    Services& s_;
    StandardLampScreens& screens_;
    // The calibration as the test opened: its Q settings and corrections
    // serve the whole run.
    Calibration calibration_;
    ReferenceLamps lamps_;
    QString lamp_;
    bool known_ = false;
    std::array<double, 4> reference_{};
    std::array<std::array<double, 3>, 4> means_{};
    std::array<std::array<double, 3>, 4> sds_{};
    bool complete_ = false;
    bool lampChosen_ = false;
    bool recorded_ = false; // the record of this run is written
};

// The lamp correction file's path, and its three lines.
QString LampCorrectionPath(const StationSetup& setup);
QByteArray LampCorrectionText(const QString& date, const QString& lamp,
                              const std::array<double, 4>& corrections);

} // namespace quillon
