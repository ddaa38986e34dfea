// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/StandardLampTest.h"

#include "config/ConfigFile.h"
#include "ozone/OzoneCalc.h"
#include "station/MeasurementStep.h"
#include "util/DecimalCompare.h"
#include "util/Format.h"
#include "util/ItemReader.h"
#include "util/TextFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

const int kCodes[4] = {kWavelengthA, kWavelengthC, kWavelengthCPrime, kWavelengthD};

// The spread a wavelength's readings may have: C' is the noisier.
double Limit(int w) {
    return w == kLampCPrime ? 0.75 : 0.5;
}

} // namespace

int StandardLampTest::WavelengthCode(int w) {
    return kCodes[w];
}

QString StandardLampTest::WavelengthName(int w) {
    static const char* const names[4] = {"A", "C", "C'", "D"};
    return QString::fromLatin1(names[w]);
}

bool StandardLampTest::Open() {
    s_.settings.ObserverInitials.clear();
    calibration_ = s_.calibration;
    const QStringList setUp = {
        QStringLiteral("THE GROUND QUARTZ PLATE MUST BE IN THE INLET WINDOW"),
        QStringLiteral("PLACE THE LAMP UNIT OVER THE INLET WINDOW."),
        QStringLiteral("ADJUST THE LAMP VOLTAGE TO 24.00=/-0.02 VOLTS."),
        QStringLiteral("THE LAMP MUST BE WARMED UP FOR AT LEAST 5 MINUTES."),
        QStringLiteral("This test consists of three sequences of measurements on the wavelengths"),
        QStringLiteral("A, C, C', and D in that order.  "),
        QStringLiteral("There is a countdown of 5 seconds before the start of each reading."),
        QStringLiteral("The system takes ten readings of the R-dial position for the each "),
        QStringLiteral("wavelength measurement.")};
    s_.sounds.PlayAttention();
    const std::optional<QString> initials =
        screens_.AskInitials(QStringLiteral("Input initials for Standard Lamp Tests."), setUp);
    if (!initials) {
        return false;
    }
    s_.settings.ObserverInitials = *initials;
    s_.sounds.PlayTempCue();
    const std::optional<double> temperature =
        screens_.AskTemperature(QStringLiteral("Instrument Temperature for lamp test."),
                                {QStringLiteral("Read and Enter the Instrument Temperature.")});
    if (!temperature) {
        return false;
    }
    s_.settings.InstrumentTemperature = *temperature;
    return true;
}

ReferenceLamps ReadReferenceLamps(const StationSetup& setup) {
    ReferenceLamps out;
    const QString path =
        ResolveFileName(setup.ConfigDir, QStringLiteral("reflmps.") + setup.InstrumentId);
    const Result<QString> read = ReadTextFile(path, kMaxConfigFileBytes);
    if (!read) {
        if (read.error().number != kErrFileNotFound) {
            out.problems << path + QStringLiteral(" cannot be read: ") + read.error().message;
        }
        return out;
    }
    const QString& text = *read;
    // The file's date, then per lamp its name and its four reference
    // readings (R-dial values, A, C, C', D), read item by item as the file
    // may spread them over lines. A record that is not one is named and
    // skipped, and reading starts afresh on the next line: the other lamps
    // stay usable.
    const QStringList lines = SplitLines(text);
    QStringList items;
    qsizetype recordLine = -1;
    bool haveDate = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        ItemReader reader(lines[i]);
        while (const std::optional<QString> item = reader.Next()) {
            if (!haveDate) {
                out.date = *item;
                haveDate = true;
                continue;
            }
            if (items.isEmpty()) {
                recordLine = i;
            }
            items << *item;
        }
        while (items.size() >= 5) {
            ReferenceLamp lamp;
            lamp.name = items[0].trimmed();
            bool ok = !lamp.name.isEmpty();
            for (int k = 0; k < 4; ++k) {
                double& v = lamp.values[static_cast<size_t>(k)];
                ok = ok && ParseNumberItem(items[k + 1], &v) && std::isfinite(v) && v >= 0.0 &&
                     v <= 300.0;
            }
            if (!ok) {
                out.problems << path + QStringLiteral(" line %1: not a lamp name and four R-dial "
                                                      "readings from 0 to 300, skipped")
                                           .arg(recordLine + 1);
                items.clear();
                break;
            }
            out.lamps << lamp;
            items = items.mid(5);
            recordLine = i;
        }
    }
    if (!items.isEmpty()) {
        out.problems
            << path + QStringLiteral(" line %1: a lamp cut short, skipped").arg(recordLine + 1);
    }
    return out;
}

bool StandardLampTest::DeviationTooHigh(int w, double sd) {
    return DecimalAbove(sd, Limit(w));
}

bool StandardLampTest::Scattered(int w, const std::array<double, 3>& m) {
    return DecimalAbove(std::max({m[0], m[1], m[2]}) - std::min({m[0], m[1], m[2]}), Limit(w));
}

bool StandardLampTest::BigChange(int w, double inUse, double fresh) {
    return DecimalAbove(std::fabs(fresh - inUse), w == kLampD ? 1.5 : 1.0);
}

StandardLampTest::StandardLampTest(Services& services, StandardLampScreens& screens,
                                   ReferenceLamps lamps)
    : s_(services), screens_(screens), calibration_(services.calibration),
      lamps_(std::move(lamps)) {}

bool StandardLampTest::SelectLamp(const QString& name) {
    lamp_ = name.trimmed();
    known_ = false;
    reference_ = {};
    for (const ReferenceLamp& lamp : lamps_.lamps) {
        if (lamp.name.compare(lamp_, Qt::CaseInsensitive) == 0) {
            known_ = true;
            reference_ = lamp.values;
            break;
        }
    }
    return known_;
}

bool StandardLampTest::ChooseLamp(const QString& name) {
    const QString text = name.trimmed();
    if (text.isEmpty() || text == QLatin1String("Lamp Name")) {
        return false;
    }
    SelectLamp(text);
    lampChosen_ = true;
    return true;
}

StandardLampTest::Next StandardLampTest::Start() {
    switch (Run()) {
    case LampRunOutcome::Complete:
        // The finished run is inspected: Accept or Reject it before another
        // Start, which would throw it away.
        return Next::Inspect;
    case LampRunOutcome::NewLamp:
        lampChosen_ = false;
        return Next::ChooseLamp;
    case LampRunOutcome::TopLevel:
    case LampRunOutcome::Failed:
        return Next::Leave;
    case LampRunOutcome::Discarded:
    case LampRunOutcome::StartOver:
        break;
    }
    return Next::Ready;
}

StandardLampTest::Accepted StandardLampTest::AcceptRun() {
    if (Accept()) {
        return Accepted::Saved;
    }
    return complete_ ? Accepted::TryAgain : Accepted::StartOver;
}

bool StandardLampTest::Reject() {
    if (screens_.ConfirmRejectRun() == ContinueOrEscape::Escape) {
        return false;
    }
    complete_ = false;
    recorded_ = false;
    return true;
}

void StandardLampTest::NewTemperature() {
    if (const std::optional<double> degrees =
            screens_.AskTemperature(QStringLiteral("Instrument Temperature for lamp test."), {})) {
        s_.settings.InstrumentTemperature = *degrees;
    }
}

QStringList StandardLampTest::PromptLines(int w, int sequence) const {
    const Calibration& v = calibration_;
    const double t = s_.settings.InstrumentTemperature;
    auto qLine = [](double q2, double q1, const char16_t* picture) {
        return QStringLiteral("Q2: ") + FormatNumber(q2, picture) + QStringLiteral("     Q1: ") +
               FormatNumber(q1, picture);
    };
    QStringList lines;
    switch (w) {
    case kLampA:
        lines << QStringLiteral("Set the Q-levers for the A wavelength:")
              << qLine(v.Q15A, QSetA(v, t), u"##.0");
        break;
    case kLampC:
        lines << QStringLiteral("Set the Q-levers for the C wavelength.")
              << qLine(v.Q15C, QSetC(v, t), u"##.0");
        break;
    case kLampCPrime:
        lines << QStringLiteral("Push right hand ROD firmly in for the C' wavelength");
        break;
    default:
        lines << QStringLiteral("Pull out the rod firmly -- set Q-levers for the D wavelength")
              << qLine(v.Q15D, QSetD(v, t), u"###.0");
        break;
    }
    lines << QStringLiteral("To Start the ") + WavelengthName(w) +
                 QStringLiteral(" Measurement No:") + QString::number(sequence);
    return lines;
}

StandardLampTest::Step StandardLampTest::Measure(int w, int sequence, LampRunOutcome* stop) {
    const QString name = WavelengthName(w);
    const QString seq = QString::number(sequence);
    MeasurementSpec spec;
    spec.prompt = [this, w, sequence] {
        return screens_.OperatorPrompt(QStringLiteral("Escape key will stop lamp test."),
                                       PromptLines(w, sequence)) == ContinueOrEscape::Continue;
    };
    spec.countdownCaption =
        QStringLiteral("Countdown for Lamp Test ") + name + QStringLiteral(" No. ") + seq;
    static const char* const countdownLines[4] = {
        "Q-levers Up for the A wavelength.", "Q-Levers set for the C wavelength.",
        "Push right hand ROD firmly in for the C' wavelength",
        "Pull out the rod firmly and set Q-levers for the D wavelength"};
    spec.countdownLine = QString::fromLatin1(countdownLines[w]) + u'\n' +
                         QStringLiteral("Have the measurement started before the countdown "
                                        "completes.");
    spec.countdownSeconds = 5;
    spec.readingCaption = QStringLiteral("Taking Readings for Lamp Test ") + name +
                          QStringLiteral(" No. ") + seq + QStringLiteral(" For Lamp ") + lamp_;
    // A practice run without an encoder reads the reference (or 150).
    spec.practiceValue = [this, w] { return known_ ? reference_[w] : 150.0; };
    spec.practiceDeviation = 0.1;
    int n = 10;
    const MeasurementResult result = RunMeasurementStep(s_, screens_.Gauge(), spec, n);
    if (result.outcome == MeasurementOutcome::Failed) {
        *stop = LampRunOutcome::Failed;
        return Step::Stop;
    }
    if (result.outcome == MeasurementOutcome::Escaped) {
        QString stage;
        switch (result.escapedAt) {
        case MeasurementStage::Prompt:
            stage =
                QStringLiteral("Before the ") + name + QStringLiteral(" measurement in Sequence:");
            break;
        case MeasurementStage::Countdown:
            stage = QStringLiteral("During Countdown for the ") + name +
                    QStringLiteral(" measurement in Sequence:");
            break;
        case MeasurementStage::Readings:
            stage =
                QStringLiteral("During the ") + name + QStringLiteral(" measurement in Sequence:");
            break;
        }
        switch (screens_.EscapeChoice(stage + seq)) {
        case LampEscapeChoice::Redo:
            return Step::Redo;
        case LampEscapeChoice::SequenceOver:
            return Step::SequenceOver;
        case LampEscapeChoice::StartOver:
            return Step::RestartAll;
        case LampEscapeChoice::NewLamp:
            *stop = LampRunOutcome::NewLamp;
            return Step::Stop;
        case LampEscapeChoice::TopLevel:
            break;
        }
        *stop = LampRunOutcome::TopLevel;
        return Step::Stop;
    }
    means_[w][static_cast<size_t>(sequence - 1)] = result.mean;
    sds_[w][static_cast<size_t>(sequence - 1)] = result.sd;
    screens_.ShowReading(w, sequence, result.mean);
    if (DeviationTooHigh(w, result.sd)) {
        s_.sounds.PlayWarning();
        screens_.HighDeviation(QStringLiteral("Reading: ") + FormatNumber(result.mean, u"##0.0") +
                               QChar(0xB1) + FormatNumber(result.sd, u"##0.0") +
                               QStringLiteral(" High Standard Deviation."));
        return Step::Redo;
    }
    return Step::Next;
}

LampRunOutcome StandardLampTest::Run() {
    complete_ = false;
    means_ = {};
    sds_ = {};
    screens_.ClearReadings();
    int sequence = 1;
    int w = kLampA;
    while (sequence <= 3) {
        LampRunOutcome stop = LampRunOutcome::TopLevel;
        switch (Measure(w, sequence, &stop)) {
        case Step::Redo:
            continue;
        case Step::SequenceOver:
            w = kLampA;
            continue;
        case Step::RestartAll:
            sequence = 1;
            w = kLampA;
            means_ = {};
            sds_ = {};
            screens_.ClearReadings();
            continue;
        case Step::Stop:
            return stop;
        case Step::Next:
            break;
        }
        if (++w <= kLampD) {
            continue;
        }
        // After the first sequence: results far from the lamp's reference
        // point to a mistake (encoder not zeroed, another lamp, the rod).
        if (sequence == 1 && known_) {
            bool gross = false;
            for (int i = 0; i < 4; ++i) {
                gross = gross || DecimalAbove(std::fabs(reference_[i] - means_[i][0]),
                                              5.0 + std::fabs(calibration_.LampCorr[i]));
            }
            if (gross) {
                switch (screens_.GrossError()) {
                case GrossErrorChoice::Continue:
                    WriteCommentText(s_.setup, s_.day, s_.clock, s_.messages,
                                     QStringLiteral("Test continued after warning"));
                    break;
                case GrossErrorChoice::StartOver:
                    screens_.ClearReadings();
                    return LampRunOutcome::StartOver;
                case GrossErrorChoice::NewLamp:
                    return LampRunOutcome::NewLamp;
                }
            }
        }
        w = kLampA;
        ++sequence;
    }
    for (int i = 0; i < 4; ++i) {
        const auto& m = means_[i];
        if (Scattered(i, m)) {
            s_.sounds.PlayWarning();
            QString line = WavelengthName(i) + QStringLiteral(" Readings: ");
            for (const double v : m) {
                line += FormatNumber(v, u"###.0 ");
            }
            screens_.Scattered(line);
            screens_.ClearReadings();
            return LampRunOutcome::Discarded;
        }
    }
    std::array<double, 4> averages{};
    for (int i = 0; i < 4; ++i) {
        averages[i] = (means_[i][0] + means_[i][1] + means_[i][2]) / 3.0;
    }
    screens_.ShowAverages(averages);
    screens_.OperatorPrompt(
        QStringLiteral("Inspect results"),
        {QStringLiteral("Inspect the results,"), QStringLiteral("Select Accept or Reject.")});
    complete_ = true;
    recorded_ = false;
    return LampRunOutcome::Complete;
}

} // namespace quillon
