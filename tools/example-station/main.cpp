// SPDX-License-Identifier: GPL-3.0-or-later
// make-example-station: fills a copy of the example station with days that
// the program itself observed through the counter simulator: observations
// of every class made by the observation session on a dial turned by
// cub5-sim, a mercury lamp test and a standard lamp test made by their own
// workflows. Time is virtual (the days are in the past); everything else
// is the program's own code, so the files are exactly what a station's
// program writes.
//
// Usage: make-example-station HOME CUB5-SIM
// HOME is a scratch copy of examples/station with its reflmps.061; the
// days, histories and calibration it gains are then copied back.
#include "calibration/MercuryTest.h"
#include "calibration/StandardLampTest.h"
#include "config/GetInfo.h"
#include "config/InstCfg.h"
#include "instrument/Cub5Encoder.h"
#include "instrument/SerialCounterLink.h"
#include "observe/ObservationSession.h"
#include "ozone/OzoneCalc.h"
#include "ozone/Reduction.h"
#include "records/DayFile.h"
#include "sound/Play.h"
#include "station/BusyGate.h"
#include "station/StationState.h"
#include "util/DurableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <cmath>
#include <cstdio>
#include <functional>

using namespace quillon;

namespace {

// Virtual time: every wait passes at once.
class VirtualClock : public Clock {
public:
    DateTimeValue Now() const override { return now_; }
    void Idle(double maxSeconds) override { Advance(std::max(std::min(maxSeconds, 0.05), 1e-5)); }
    void WaitProcessingEvents(double seconds) override { Advance(seconds); }
    void WaitPainting(double seconds) override { Advance(seconds); }
    void Set(DateTimeValue now) { now_ = now; }
    void Advance(double seconds) { now_ += seconds / 86400.0; }

private:
    DateTimeValue now_ = 0;
};

class StderrMessages : public OperatorMessages {
public:
    void Show(const QString& text, const QString& title) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool AskYesNo(const QString& text, const QString& title) override {
        Show(text, title);
        return false;
    }
};

class Silent : public SoundPlayer {
public:
    void Play(int, const QByteArray&) override {}
};

// The counter simulator, its dial turned through its standard input.
class Simulator {
public:
    explicit Simulator(const QString& program) {
        process_.start(program, {});
        process_.waitForStarted(5000);
        while (device_.isEmpty() && process_.waitForReadyRead(5000)) {
            while (process_.canReadLine()) {
                const QString line = QString::fromUtf8(process_.readLine()).trimmed();
                if (line.startsWith(QLatin1String("device: "))) {
                    device_ = line.mid(8);
                }
            }
        }
    }
    ~Simulator() {
        process_.write("quit\n");
        process_.waitForFinished(2000);
    }
    const QString& Device() const { return device_; }
    // The dial at `position`, steady within `noise` either way.
    void Turn(double position, double noise) {
        Send(QStringLiteral("%1 %2").arg(position, 0, 'f', 2).arg(noise, 0, 'f', 2));
    }
    // A line on its standard input; waits for the answer.
    void Send(const QString& line) {
        process_.write((line + u'\n').toUtf8());
        process_.waitForBytesWritten(1000);
        while (!process_.canReadLine() && process_.waitForReadyRead(2000)) {
        }
        process_.readLine();
    }

private:
    QProcess process_;
    QString device_;
};

// The operator at the instrument: every screen answered, the dial turned
// to the balance point before each reading series.
class Operator : public ObservationSessionScreens, public StandardLampScreens, public GaugeDisplay {
public:
    explicit Operator(Simulator& sim) : sim_(sim) {}

    // The dial's positions for the series to come, in measuring order, and
    // the counter's own unsteadiness.
    void Plan(std::vector<double> positions, double noise = 0.1) {
        positions_ = std::move(positions);
        noise_ = noise;
        next_ = 0;
    }
    ObservationSession* session = nullptr;

    // GaugeDisplay
    void SetCallerText(const QString&, const QString&) override {}
    void Open(const QString& mode, int, int, const QString&) override {
        if (mode == QLatin1String("UP") && !positions_.empty()) {
            sim_.Turn(positions_[next_++ % positions_.size()], noise_);
        }
    }
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return false; }
    void Close() override {}

    // The observation session.
    GaugeDisplay& Gauge() override { return *this; }
    ContinueOrEscape ObserverPrompt(const QString&, const QString&, const QStringList&) override {
        return ContinueOrEscape::Continue;
    }
    void ShowWarning(const ObservationWarning& w) override {
        std::fprintf(stderr, "warning %s\n", qPrintable(w.screen));
    }
    void ShowReading(int, const QString&) override {}
    void ShowResult(const QString&, const QString&, const QString&) override {}
    void ShowQuality(const QString&) override {}
    ContinueOrEscape ConfirmFocusedSun(const ObservationWarning&) override {
        return ContinueOrEscape::Continue;
    }
    std::optional<QString> AskInitials(const QString&, const QStringList&) override {
        return QStringLiteral("QX");
    }
    std::optional<double> AskTemperature(const QString&, const QStringList&) override {
        return 21.5;
    }
    void RunEncoderCheck() override {}
    void RunObservationScreen(const QString&) override {
        session->Start();
        if (session->LastRun().outcome == kObservationComplete) {
            session->Accept();
        } else {
            session->EscapeToTypeSelection();
        }
    }
    void FinishObservationScreen() override {}
    void ShowReady() override {}
    void ShowQSettings() override {}
    void ShowRunning() override {}
    void ShowInspect() override {}
    void ShowRejected() override {}
    RestartChoice AskRestartAfterEscape() override { return RestartChoice::Leave; }
    // The sky as the operator sees it: clear around the sun and on a blue
    // zenith; a cloudy zenith under a thin, uniform cloud of middle height;
    // no special conditions.
    SkyAnswer AskSkyConditions(const QString& type) override {
        SkySelection sky(type);
        while (sky.CurrentStage() != SkySelection::kComment) {
            sky.Press(sky.CurrentStage() == SkySelection::kHeight ? 2 : 1);
        }
        return {sky, QStringLiteral("example day")};
    }
    RestartChoice AskRestartSkySelection() override { return RestartChoice::Leave; }
    RejectChoice ConfirmReject() override { return RejectChoice::Reject; }
    std::optional<QString> ChooseNextType(const QStringList&, double) override {
        return std::nullopt;
    }

    // The standard lamp test.
    ContinueOrEscape OperatorPrompt(const QString&, const QStringList&) override {
        return ContinueOrEscape::Continue;
    }
    LampEscapeChoice EscapeChoice(const QString&) override { return LampEscapeChoice::TopLevel; }
    void HighDeviation(const QString&) override {}
    GrossErrorChoice GrossError() override { return GrossErrorChoice::Continue; }
    void Scattered(const QString&) override {}
    void ShowAverages(const std::array<double, 4>&) override {}
    void ClearReadings() override {}
    void ShowReading(int, int, double) override {}
    BigChangeChoice BigCorrectionChange(const QStringList&) override {
        return BigChangeChoice::UseNewValues;
    }
    ContinueOrEscape ConfirmRejectRun() override { return ContinueOrEscape::Continue; }

private:
    Simulator& sim_;
    std::vector<double> positions_;
    double noise_ = 0.1;
    size_t next_ = 0;
};

// Dial positions for an ozone near `target`: the second wavelength where
// the station's own reduction gives the target at that time, with the
// first at the lowest of a few positions that leaves the second well on
// the dial (zenith skies need a larger difference than the direct sun).
std::pair<double, double> Balance(const StationState& vars, const QString& type, DateTimeValue utc,
                                  double target) {
    if (type.startsWith(QLatin1String("CC"))) {
        return {120.0, 135.0}; // C and C' of a clear zenith sky: no ozone, C' above C
    }
    const auto ozoneAt = [&](double first, double second) {
        ReductionInput in;
        in.type = type;
        in.meanUtc = utc;
        in.readings = {first, second, first, second, first};
        return ReduceObservation(vars.setup, vars.calibration, in).ozone;
    };
    for (const double first : {150.0, 200.0, 250.0, 300.0}) {
        double low = 0;
        double high = first;
        for (int i = 0; i < 60; ++i) {
            const double mid = (low + high) / 2;
            // A larger second reading is a smaller difference and less ozone.
            (ozoneAt(first, mid) > target ? low : high) = mid;
        }
        const double second = std::round((low + high) / 2 * 10) / 10;
        if (second > 20.0 && second < first - 20.0) {
            return {first, second};
        }
    }
    return {150.0, 60.0};
}

// The dial positions (to the counter's tenth) at which a standard lamp
// test of a lamp with these reference values gives these corrections.
std::array<double, 4> DialForCorrections(const Calibration& calibration,
                                         const std::array<double, 4>& reference,
                                         const std::array<double, 4>& corrections) {
    std::array<double, 4> dial{};
    for (int i = 0; i < 4; ++i) {
        const int code = StandardLampTest::WavelengthCode(i);
        const double wanted = RtoN(calibration, code, reference[i]) - corrections[i];
        double low = reference[i] - 20.0;
        double high = reference[i] + 20.0;
        const bool rising = RtoN(calibration, code, high) > RtoN(calibration, code, low);
        for (int step = 0; step < 60; ++step) {
            const double mid = (low + high) / 2;
            ((RtoN(calibration, code, mid) < wanted) == rising ? low : high) = mid;
        }
        dial[i] = std::round((low + high) / 2 * 10) / 10;
    }
    return dial;
}

// The station being made: its program's state and services on virtual
// time, the operator at the simulator's dial.
class Station {
public:
    Station(const QString& home, Simulator& sim)
        : encoder_(vars_.setup, link_, clock_, messages_), services_{vars_.setup, vars_.calibration,
                                                                     vars_.day,   vars_.settings,
                                                                     clock_,      messages_,
                                                                     sounds_,     encoder_,
                                                                     gate_},
          op_(sim) {
        vars_.setup.HomeDir = home;
    }

    // The configuration read and the counter's line open; false, said on
    // stderr, when either fails.
    bool Open() {
        if (const Result<void> read = ReadConfiguration(vars_.setup, vars_.calibration, messages_);
            !read) {
            std::fprintf(stderr, "%s\n", qPrintable(read.error().message));
            return false;
        }
        if (const Result<void> opened = encoder_.OpenEncoderPort(); !opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opened.error().message));
            return false;
        }
        vars_.settings.AudioPrompts = 0;
        vars_.settings.ComputerTimed = 1;
        return true;
    }

    // Before its tests of November the station ran on older corrections:
    // written, and the corrections it ships with returned.
    std::optional<std::array<double, 4>> WriteEarlierCalibration() {
        Calibration& c = vars_.calibration;
        const std::array<double, 4> shipped = c.LampCorr;
        c.LastHgTest = QStringLiteral("10/26/2026");
        c.LastStdTest = QStringLiteral("10/27/2026");
        c.LampCorrDate = QStringLiteral("10/27/2026");
        c.LampCorr = {0.3, -0.2, 0.3, 0.0};
        if (!ReplaceFile(InstCfgPath(vars_.setup), InstCfgText(vars_.setup, c)) ||
            !ReplaceFile(LampCorrectionPath(vars_.setup),
                         LampCorrectionText(c.LampCorrDate, c.LampCorrLamp, c.LampCorr))) {
            std::fprintf(stderr, "cannot write the station's calibration\n");
            return std::nullopt;
        }
        return shipped;
    }

    // The mercury lamp test, typed from the microammeter's readings.
    void MercuryTest(int month, int day) {
        StartDay(At(2026, month, day, 14, 50));
        clock_.Set(At(2026, month, day, 15, 0));
        MercuryEntries hg;
        hg.boxes = {76.6, 69.3, 76.7, 69.3, 76.6, 69.4, 76.6, 69.3, 76.7, 69.3};
        hg.startTemperature = 20.4;
        hg.endTemperature = 20.9;
        SaveMercuryTest(vars_.setup, vars_.day, vars_.calibration, clock_, messages_,
                        EvaluateReadings(vars_.calibration, hg), hg);
    }

    // The standard lamp test on STD-61A. The lamp has drifted from its
    // reference values by what `corrections` say: the dial stands where
    // they come out.
    bool StandardLampTest(int month, int day, const std::array<double, 4>& corrections) {
        StartDay(At(2026, month, day, 14, 50));
        clock_.Set(At(2026, month, day, 15, 0));
        vars_.settings.ObserverInitials = QStringLiteral("QX");
        vars_.settings.InstrumentTemperature = 21.0;
        quillon::StandardLampTest test(services_, op_, ReadReferenceLamps(vars_.setup));
        if (!test.SelectLamp(QStringLiteral("STD-61A"))) {
            std::fprintf(stderr, "no STD-61A in reflmps.061\n");
            return false;
        }
        const std::array<double, 4> drifted =
            DialForCorrections(vars_.calibration, test.Reference(), corrections);
        std::vector<double> dial;
        for (int sequence = 0; sequence < 3; ++sequence) {
            dial.insert(dial.end(), drifted.begin(), drifted.end());
        }
        op_.Plan(dial, 0.0);
        if (test.Run() != LampRunOutcome::Complete || !test.Accept()) {
            std::fprintf(stderr, "the lamp test was not completed\n");
            return false;
        }
        return true;
    }

    // 12/01 to 12/03: a day of observations each, of every class.
    void ObservationDays() {
        struct Planned {
            int hour, minute;
            const char* type;
            double ozone;
            double noise = 0.1;
        };
        const std::vector<Planned> usual = {{9, 30, "ADDSGQP", 281},  {10, 5, "CDDSGQP", 284},
                                            {10, 40, "ADZB", 279},    {11, 15, "CDZC", 286},
                                            {11, 50, "CCZB", 0},      {12, 30, "ADDSGQP", 283},
                                            {13, 20, "CDDSGQP", 285}, {14, 10, "ADZC", 288}};
        // 12/02 had doubtful observations: an AD and a CD direct sun twenty
        // minutes apart that disagree by 4 %, and a CD direct sun in the
        // afternoon through a shimmering haze.
        std::vector<Planned> doubtful = usual;
        doubtful[1] = {9, 50, "CDDSGQP", 281 * 1.04};
        doubtful[6].noise = 3.5;
        for (int d = 1; d <= 3; ++d) {
            StartDay(At(2026, 12, d, 8, 0));
            for (const Planned& p : d == 2 ? doubtful : usual) {
                Observe(QString::fromLatin1(p.type), At(2026, 12, d, p.hour, p.minute),
                        p.ozone + 3.0 * d, p.noise);
            }
        }
    }

private:
    // UTC of a local standard time at the station.
    DateTimeValue At(int year, int month, int day, int hour, int minute) const {
        return DateSerial(year, month, day) + TimeSerial(hour, minute, 0) +
               static_cast<double>(vars_.setup.UtcOffsetHours) / 24.0;
    }

    void StartDay(DateTimeValue utc) {
        clock_.Set(utc);
        vars_.day.LocalDate = std::floor(LocalStandardTime(vars_.setup, utc));
        OpenDayFile(vars_.setup, vars_.day, clock_, messages_);
        WriteProvenanceComment(vars_.setup, vars_.day, vars_.calibration, clock_, messages_);
    }

    // `noise`: how far the dial trembles while it is held, more when the
    // sun's image shimmers through haze.
    void Observe(const QString& type, DateTimeValue utc, double ozone, double noise) {
        clock_.Set(utc);
        const auto [first, second] = Balance(vars_, type, utc + 60.0 / 86400.0, ozone);
        op_.Plan({first, second, first, second, first}, noise);
        ObservationSession session(services_, op_);
        op_.session = &session;
        session.Run(type);
    }

    StationState vars_;
    VirtualClock clock_;
    StderrMessages messages_;
    Silent player_;
    Sounds sounds_{player_};
    SerialCounterLink link_;
    Cub5Encoder encoder_;
    BusyGate gate_;
    Services services_;
    Operator op_;
};

// disc.cfg: the directories, and the counter's line when there is one.
bool WriteDisc(const QString& home, const QString& device) {
    QFile disc(home + QStringLiteral("disc.cfg"));
    if (!disc.open(QIODevice::WriteOnly)) {
        return false;
    }
    disc.write("config\r\ndata\r\nhistory\r\n" +
               (device.isEmpty() ? QByteArray() : device.toUtf8() + "\r\n"));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Usage: make-example-station HOME CUB5-SIM\n");
        return 2;
    }
    const QString home = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    Simulator sim(QString::fromLocal8Bit(argv[2]));
    if (sim.Device().isEmpty()) {
        std::fprintf(stderr, "cub5-sim did not start\n");
        return 1;
    }
    // The days pass in virtual time: no need to wait on the line's pace.
    sim.Send(QStringLiteral("slow 1"));
    if (!WriteDisc(home, sim.Device())) {
        return 1;
    }
    Station station(home, sim);
    if (!station.Open()) {
        return 1;
    }
    const std::optional<std::array<double, 4>> shipped = station.WriteEarlierCalibration();
    if (!shipped) {
        return 1;
    }
    station.MercuryTest(11, 28);
    if (!station.StandardLampTest(11, 30, *shipped)) {
        return 1;
    }
    station.ObservationDays();
    // The example runs without a counter: its disc.cfg names none again.
    return WriteDisc(home, QString()) ? 0 : 1;
}
