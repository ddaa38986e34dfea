// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "intercomparison/IntercomparisonSeries.h"
#include "ui/EntryScreens.h"
#include "ui/GaugeScreen.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

class QMenuBar;
class QVBoxLayout;

namespace quillon {

// "CDA Series": the intercomparison's controls and its results. The
// schedule and the sets are IntercomparisonSeries'; this screen shows them
// and hands over Go, pause, the settings and the one-second shifts.
class IcScreen : public QDialog, public IntercomparisonScreens {
    Q_OBJECT
public:
    explicit IcScreen(Services& services, QWidget* parent = nullptr);

    IntercomparisonSeries& Series() { return series_; }
    void Go();
    void PauseRun();

    // IntercomparisonScreens
    GaugeDisplay& Gauge() override { return gauge_; }
    void ShowMessage(const QString& text) override;
    void ShowResultLine(const QString& line) override;

protected:
    void reject() override;

private:
    // The parts of the screen, top to bottom, and its two timers.
    QMenuBar* BuildMenuBar();
    void BuildDisplays(QVBoxLayout* layout);
    void BuildButtons(QVBoxLayout* layout);
    void StartTimers();

    void Tick();
    void ShowClock();
    void ShowSettings();
    void SettingsChanged();
    void OpenComment();

    Services& s_;
    GaugeScreen gauge_;
    IntercomparisonSeries series_;
    QTimer display_;
    QTimer clock_;
    QPointer<AddCommentScreen> comment_;
    QLabel* offset_;
    QLabel* note_;
    QLabel* next_;
    QLabel* timing_;
    QLabel* sky_;
    QLabel* special_;
    QLabel* message_;
    QLabel* lst_;
    QLabel* mu_;
    QList<QLabel*> results_;
    int resultCount_ = 0;
    QPushButton* go_;
    QPushButton* pause_;
    QPushButton* exit_;
};

} // namespace quillon
