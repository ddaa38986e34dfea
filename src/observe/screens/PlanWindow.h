// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/DayPlan.h"
#include "station/Services.h"

#include <QDialog>
#include <QTimer>

class QChartView;
class QDateEdit;
class QLabel;
class QTableWidget;

namespace quillon {

// "Today's Plan": the day's intervals of the main screen's mu range with
// the observations each allows, the current one marked; mu through the day
// over the ranges' bands with a line at now; and each observation type's
// windows as a row of bars. Another date can be chosen.
class PlanWindow : public QDialog {
    Q_OBJECT
public:
    explicit PlanWindow(Services& services, QWidget* parent = nullptr);

    void ShowDate(DateTimeValue localDate);
    // The timer's tick: the current interval and the line at now follow
    // the clock.
    void Tick();
    int CurrentRow() const { return currentRow_; }
    QChartView* MuView() const { return muView_; }
    QChartView* TimelineView() const { return timelineView_; }

private:
    void BuildMuChart();
    void BuildTimeline();
    // Seconds after local midnight of the shown date, or -1 when now is on
    // another day.
    int NowSecond() const;

    Services& s_;
    DateTimeValue date_ = 0;
    DayPlan plan_;
    int currentRow_ = -1;
    QDateEdit* dateEdit_;
    QTableWidget* table_;
    QLabel* noon_;
    QChartView* muView_;
    QChartView* timelineView_;
    QTimer timer_;
};

} // namespace quillon
