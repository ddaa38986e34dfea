#include "observe/screens/ObservationFlow.h"

#include "astro/AstroFunctions.h"
#include "instrument/screens/EncoderCheckScreen.h"
#include "instrument/screens/EntryScreens.h"
#include "observe/ObservationTypes.h"
#include "observe/screens/DecisionScreens.h"
#include "observe/screens/ObsScreen.h"

namespace quillon {

namespace {

// Instruction texts onto a screen's lines; a text longer than the screen
// has lines shares the last line.
void FillLines(const QList<QLabel*>& labels, const QStringList& texts) {
    for (int i = 0; i < labels.size(); ++i) {
        if (i == labels.size() - 1 && texts.size() > labels.size()) {
            labels[i]->setText(texts.mid(i).join(u'\n'));
        } else {
            labels[i]->setText(i < texts.size() ? texts[i] : QString());
        }
    }
}

} // namespace

bool SetupObservation(Services& s, int& readingsCount, QWidget* parent) {
    SharedVars& v = s.vars;
    const QString type = v.ObsType;
    v.DialogChoice = 0;
    const ObservationInstructions text =
        InstructionsFor(type, v.ComputerTimed == 1, SunMu(v, s.clock.Now()));
    if (NeedsFocusedSunWarning(type, v.Latitude)) {
        ObservationWarning warning;
        warning.screen = QStringLiteral("Warnfi");
        warning.title = FocusedSunWarningCaption(type);
        warning.lines = FocusedSunWarningLines(v.StationName);
        warning.button = QStringLiteral("Continue ");
        s.sounds.PlayWarning();
        WarningScreen screen(warning, QStringLiteral("Escape to Top Level"), parent);
        screen.exec();
        if (screen.escaped) {
            v.DialogChoice = 1;
            return false;
        }
    }
    if (!IsKnownObservationType(type)) {
        s.messages.Show(text.initialsLines.join(u'\n'), QStringLiteral("Ob type unknown."));
        v.DialogChoice = 1;
        return false;
    }
    if (v.EncoderInUse) {
        const double r = s.encoder.ReadEncoder(0.5);
        if (!v.EncoderError.isEmpty()) {
            s.encoder.ReportFailure();
            v.DialogChoice = 1;
            return false;
        }
        // A dial that reads exactly zero may be a counter that lost its count.
        if (r == 0.0) {
            CheckEncoder(s, parent);
        }
    }
    s.sounds.PlayAttention();
    {
        GetInitialsScreen initials(v, &s.sounds, parent);
        initials.setWindowTitle(text.initialsCaption);
        FillLines(initials.lines, text.initialsLines);
        initials.exec();
        if (v.DialogChoice == 1) {
            return false;
        }
    }
    if (IsMoonType(type)) {
        v.ComputerTimed = 0; // the moon is always observed at the observer's pace
        readingsCount = 20;
    } else {
        readingsCount = 10;
    }
    s.sounds.PlayTempCue();
    GetDegsCScreen temperature(v, &s.sounds, parent);
    temperature.setWindowTitle(text.temperatureCaption);
    FillLines(temperature.lines, text.temperatureLines);
    temperature.exec();
    return v.DialogChoice != 1;
}

void RunObservationSession(Services& s, const QString& type, QWidget* parent) {
    s.vars.ObsType = type;
    int n = 10;
    for (;;) {
        if (!SetupObservation(s, n, parent)) {
            return;
        }
        ObsScreen obs(s, n, parent);
        obs.Prepare();
        obs.exec();
        obs.GaugeWindow().Close();
        if (obs.NextType().isEmpty()) {
            return;
        }
        s.vars.ObsType = obs.NextType();
        s.vars.ObserverInitials.clear();
    }
}

} // namespace quillon
