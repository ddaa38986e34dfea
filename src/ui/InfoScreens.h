// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMenuBar;

#include "config/Calibration.h"
#include "config/LampTests.h"
#include "config/StationSetup.h"
#include "ui/ScreenHelpers.h"

#include <QTimer>

namespace quillon {

// "Station and Instrument Parameters": filled once at start-up and shown
// again unchanged from the Info menu.
class OperParamScreen : public SpaceOrEscapeDialog {
    Q_OBJECT
public:
    explicit OperParamScreen(QWidget* parent = nullptr);
    void Fill(const StationSetup& setup, const Calibration& calibration);
};

// "Program Parameters for Dobson Driver Program".
class ProginfoScreen : public SpaceOrEscapeDialog {
    Q_OBJECT
public:
    ProginfoScreen(const StationSetup& setup, const Calibration& calibration,
                   QWidget* parent = nullptr);
};

// "The system is overdue for a calibration check.": closes itself after
// 10 seconds or on Continue.
class LampOverDueDialog : public QDialog {
    Q_OBJECT
public:
    LampOverDueDialog(const LampTestAges& ages, QWidget* parent = nullptr);

private:
    QTimer timer_;
};

// The "&Info" and "&Comment" entries of the lamp test screens: the
// program information, and a comment to the day file.
struct Services;
void AddInfoAndCommentEntries(QMenuBar* bar, Services& services, QWidget* screen);

} // namespace quillon
