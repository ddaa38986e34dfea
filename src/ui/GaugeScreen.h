// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/GaugeDisplay.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

namespace quillon {

// The wait gauge "Gas Gauge Wait". It is shown application-modal while the
// core runs the readings or the count-down; e&Xit stays live because the
// reads handle screen events while they wait.
class GaugeScreen : public QDialog, public GaugeDisplay {
    Q_OBJECT
public:
    explicit GaugeScreen(QWidget* parent = nullptr);

    void SetCallerText(const QString& caption, const QString& bottomLine) override;
    void Open(const QString& mode, int maximum, int value, const QString& info) override;
    void SetProgress(int value, const QString& topLine) override;
    bool ExitPressed() const override { return exitPressed_; }
    void Close() override;
    // Opens to the right of `screen` instead of over it.
    void PlaceBeside(QWidget* screen) { beside_ = screen; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* caption_;
    QGroupBox* frame_;
    QProgressBar* bar_;
    QLabel* info_;
    QLabel* topLine_;
    QLabel* bottomLine_;
    bool exitPressed_ = false;
    QWidget* beside_ = nullptr;
};

} // namespace quillon
