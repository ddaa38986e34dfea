// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calibration/StandardLampTest.h"
#include "station/Services.h"
#include "ui/GaugeScreen.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

class QVBoxLayout;

namespace quillon {

// "Standard Lamp Test": the lamp, its reference values, the corrections in
// use, the Q settings, the three sequences' readings and their averages.
// The run and every decision are StandardLampTest's; this screen shows and
// asks.
class StandardScreen : public QDialog, public StandardLampScreens {
    Q_OBJECT
public:
    explicit StandardScreen(Services& services, QWidget* parent = nullptr);

    // The opening sequence (initials, temperature) and the screen.
    void Run();

    void ShowLampTestSetup();
    void ShowSettings();
    void LockLamp(bool locked);
    void Select();
    void Start();
    void AcceptTest();
    void RejectTest();
    void NewTemperature();
    StandardLampTest& Test() { return *test_; }

    // StandardLampScreens
    GaugeDisplay& Gauge() override { return gauge_; }
    std::optional<QString> AskInitials(const QString& caption, const QStringList& lines) override;
    std::optional<double> AskTemperature(const QString& caption, const QStringList& lines) override;
    ContinueOrEscape OperatorPrompt(const QString& caption, const QStringList& lines) override;
    LampEscapeChoice EscapeChoice(const QString& stage) override;
    void HighDeviation(const QString& line) override;
    GrossErrorChoice GrossError() override;
    void Scattered(const QString& line) override;
    void ShowReading(int wavelength, int sequence, double mean) override;
    void ClearReadings() override;
    void ShowAverages(const std::array<double, 4>& averages) override;
    BigChangeChoice BigCorrectionChange(const QStringList& lines) override;
    ContinueOrEscape ConfirmRejectRun() override;

private:
    // The screen's parts: the lamp's name, the readings with the reference
    // values, corrections and Q settings, the buttons.
    void BuildLampChoice(QVBoxLayout* layout);
    void BuildReadings(QVBoxLayout* layout);
    void BuildButtons(QVBoxLayout* layout);

    void ShowReference();

    Services& s_;
    std::unique_ptr<StandardLampTest> test_;
    GaugeScreen gauge_;
    QLabel* refProblems_ = nullptr; // what the reference lamp file could not give
    QComboBox* lamps_;
    QPushButton* select_ = nullptr;
    std::array<QList<QLabel*>, 4> tests_;
    std::array<QLabel*, 4> refs_{};
    std::array<QLabel*, 4> adjs_{};
    QList<QLabel*> qset_;
    QGroupBox* refFrame_;
    QGroupBox* adjFrame_;
    QGroupBox* qFrame_;
    QPushButton* start_;
    QPushButton* accept_;
    QPushButton* reject_;
};

} // namespace quillon
