// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ScreenHelpers.h"
#include "util/LabelledValue.h"

#include <QList>

#include <QTimer>

namespace quillon {

// "Station and Instrument Parameters": filled once at start-up and shown
// again unchanged from the Info menu.
class OperParamScreen : public SpaceOrEscapeDialog {
    Q_OBJECT
public:
    explicit OperParamScreen(QWidget* parent = nullptr);
    void Fill(const QList<LabelledValue>& station, const QList<LabelledValue>& instrument);
};

// "Program Parameters for Dobson Driver Program".
class ProginfoScreen : public SpaceOrEscapeDialog {
    Q_OBJECT
public:
    explicit ProginfoScreen(const QList<LabelledValue>& lines, QWidget* parent = nullptr);
};

// "The system is overdue for a calibration check.": closes itself after
// 10 seconds or on Continue.
class LampOverDueDialog : public QDialog {
    Q_OBJECT
public:
    // The days since each test, as the screen shows them ("12", "Not Known").
    LampOverDueDialog(const QString& standardDays, const QString& mercuryDays,
                      QWidget* parent = nullptr);

private:
    QTimer timer_;
};

} // namespace quillon
