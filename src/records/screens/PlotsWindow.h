// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

#include <QDialog>

class QChartView;
class QComboBox;
class QTabWidget;

namespace quillon {

// "Plots": a day's ozone by class with its spreads, class means and mu;
// the mercury tests against the ±0.3 band; the standard lamp averages.
// The data comes from the core (PlotData); this window only draws.
class PlotsWindow : public QDialog {
    Q_OBJECT
public:
    explicit PlotsWindow(Services& services, QWidget* parent = nullptr);

    QChartView* DayView() { return dayView_; }
    QChartView* HgView() { return hgView_; }
    QChartView* LampView() { return lampView_; }
    // Draws the day whose file is `dayFile` in the data directory.
    void ShowDay(const QString& dayFile);
    static bool SavePng(QChartView* view, const QString& path);

private:
    void ShowHg();
    void ShowLamp();

    Services& s_;
    QTabWidget* tabs_;
    QComboBox* days_;
    QChartView* dayView_;
    QChartView* hgView_;
    QChartView* lampView_;
};

} // namespace quillon
