// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/StationSetup.h"
#include "records/DayState.h"
#include "util/Clock.h"
#include "util/OperatorMessages.h"

#include <QDialog>
#include <QLabel>

namespace quillon {

class Sounds;

// "Summary of ozone observations for a day": the day's four summary texts,
// and the Space bar makes the printable summary file.
class SummaryScreen : public QDialog {
    Q_OBJECT
public:
    SummaryScreen(const StationSetup& setup, const DayState& day, const Clock& clock,
                  OperatorMessages& messages, Sounds* sounds, QWidget* parent = nullptr);

    // Summarises the local date `dateText` ("MM/DD/YYYY") with full texts.
    void ShowDay(const QString& dateText, const QString& caption);
    void MakeSummaryFile();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const StationSetup& setup_;
    const DayState& day_;
    const Clock& clock_;
    OperatorMessages& messages_;
    Sounds* sounds_;
    QString dateText_;
    QLabel* caption_;
    QLabel* lines_[4];
    QLabel* fileName_;
};

} // namespace quillon
