// SPDX-License-Identifier: GPL-3.0-or-later
// A calibration workflow run to completion, or killed at its Nth file step
// (before or after an append or a replace), as a power cut would: the
// tests run it with N = 1, 2, ... until it completes, and check after each
// kill that the station has the old calibration or the new one with its
// record.
//
// usage: calibration-killer HOME qadjust|hgtest|stdlamp N
#include "calibration/MercuryTest.h"
#include "calibration/QTable.h"
#include "calibration/StandardLampTest.h"
#include "config/GetInfo.h"
#include "support/TestServices.h"
#include "util/DurableFile.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace quillon;
using namespace quillon::test;

namespace {

int killAt = 0;
int steps = 0;

void KillAtStep(const char*, const QString&) {
    if (++steps == killAt) {
        ::_exit(9); // no destructors, no flush: as a power cut
    }
}

// The lamp and its operator: every prompt answered, every warning gone
// past, the new corrections taken.
class Lamp : public StandardLampScreens, public GaugeDisplay {
public:
    GaugeDisplay& Gauge() override { return *this; }
    std::optional<QString> AskInitials(const QString&, const QStringList&) override {
        return QStringLiteral("RDE");
    }
    std::optional<double> AskTemperature(const QString&, const QStringList&) override {
        return 20.0;
    }
    ContinueOrEscape OperatorPrompt(const QString&, const QStringList&) override {
        return ContinueOrEscape::Continue;
    }
    LampEscapeChoice EscapeChoice(const QString&) override { return LampEscapeChoice::TopLevel; }
    void HighDeviation(const QString&) override {}
    GrossErrorChoice GrossError() override { return GrossErrorChoice::Continue; }
    void Scattered(const QString&) override {}
    void ShowReading(int, int, double) override {}
    void ClearReadings() override {}
    void ShowAverages(const std::array<double, 4>&) override {}
    BigChangeChoice BigCorrectionChange(const QStringList&) override {
        return BigChangeChoice::UseNewValues;
    }
    ContinueOrEscape ConfirmRejectRun() override { return ContinueOrEscape::Continue; }
    void SetCallerText(const QString&, const QString&) override {}
    void Open(const QString&, int, int, const QString&) override {}
    void SetProgress(int, const QString&) override {}
    bool ExitPressed() const override { return false; }
    void Close() override {}
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: calibration-killer HOME qadjust|hgtest|stdlamp N\n");
        return 2;
    }
    StationState vars;
    vars.setup.HomeDir = QString::fromLocal8Bit(argv[1]);
    class : public OperatorMessages {
        void Show(const QString& text, const QString& title) override {
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        }
        bool AskYesNo(const QString&, const QString&) override { return false; }
    } messages;
    if (!ReadConfiguration(vars.setup, vars.calibration, messages)) {
        return 2;
    }
    const QString workflow = QString::fromLatin1(argv[2]);
    killAt = std::atoi(argv[3]);
    SetFileStepHook(KillAtStep);
    TestServices fakes(vars, MakeDateTime(2026, 12, 8, 17, 0, 0));
    bool done = false;
    if (workflow == QLatin1String("qadjust")) {
        vars.settings.ObserverInitials = QStringLiteral("RDE");
        done = AcceptQTableChange(vars.setup, vars.day, vars.calibration, QStringLiteral("RDE"),
                                  fakes.clock, fakes.messages, 1.0f);
    } else if (workflow == QLatin1String("hgtest")) {
        MercuryEntries entries;
        entries.startTemperature = 20.0;
        entries.endTemperature = 20.5;
        for (size_t k = 0; k < 5; ++k) {
            entries.boxes[2 * k] = 76.6;
            entries.boxes[2 * k + 1] = 69.4;
        }
        const MercuryEvaluation e = EvaluateReadings(vars.calibration, entries);
        done = SaveMercuryTest(vars.setup, vars.day, vars.calibration, fakes.clock, fakes.messages,
                               e, entries);
    } else if (workflow == QLatin1String("stdlamp")) {
        vars.settings.AudioPrompts = 0;
        fakes.OpenEncoder();
        fakes.link.SetValue(150.5);
        Lamp lamp;
        StandardLampTest test(fakes.services, lamp, ReadReferenceLamps(vars.setup));
        test.SelectLamp(QStringLiteral("L1"));
        done = test.Run() == LampRunOutcome::Complete && test.Accept();
    }
    std::printf("%s after %d file steps\n", done ? "done" : "failed", steps);
    return done ? 0 : 1;
}
