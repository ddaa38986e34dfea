// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/ObservationSession.h"
#include "station/Services.h"
#include "ui/GaugeScreen.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

// "This is the form controlling the observations.", and with it every
// screen of an observation session: it shows what the session decides and
// hands the operator's choices to it.
class ObsScreen : public QDialog, public ObservationSessionScreens {
    Q_OBJECT
public:
    explicit ObsScreen(Services& services, QWidget* parent = nullptr);

    void SetSession(ObservationSession* session) { session_ = session; }

    // Ready for the session's type after its set-up.
    void Prepare();

    const QString& NextType() const { return session_->NextType(); }
    const ObservationRun& LastRun() const { return session_->LastRun(); }
    GaugeScreen& GaugeWindow() { return gauge_; }

    // The screen's commands (buttons and keys).
    void Start();
    void Accept();
    void Reject();
    void EscapeToTypeSelection();
    void NewTemperature();

    // ObservationScreens
    GaugeDisplay& Gauge() override { return gauge_; }
    ContinueOrEscape ObserverPrompt(const QString& caption, const QString& message,
                                    const QStringList& lines) override;
    void ShowWarning(const ObservationWarning& warning) override;
    void ShowReading(int field, const QString& text) override;
    void ShowResult(const QString& meanTime, const QString& mu, const QString& ozone) override;
    void ShowQuality(const QString& line) override;

    // ObservationSessionScreens
    ContinueOrEscape ConfirmFocusedSun(const ObservationWarning& warning) override;
    std::optional<QString> AskInitials(const QString& caption, const QStringList& lines) override;
    std::optional<double> AskTemperature(const QString& caption, const QStringList& lines) override;
    void RunEncoderCheck() override;
    void RunObservationScreen(const QString& type) override;
    void FinishObservationScreen() override;
    void ShowReady() override;
    void ShowQSettings() override;
    void ShowRunning() override;
    void ShowInspect() override;
    void ShowRejected() override;
    RestartChoice AskRestartAfterEscape() override;
    SkyAnswer AskSkyConditions(const QString& type) override;
    RestartChoice AskRestartSkySelection() override;
    RejectChoice ConfirmReject() override;
    std::optional<QString> ChooseNextType(const QStringList& offered, double mu) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The screen's parts: the readings, the results with the clock and the
    // quality line, the message lines and buttons.
    void BuildReadings(QVBoxLayout* layout, const QFont& big);
    void BuildResults(QVBoxLayout* layout, const QFont& big);
    void BuildButtons(QVBoxLayout* layout);
    void BuildMenus(QVBoxLayout* layout);
    void ResetObsScreen();
    void TimeTick();
    void SetMessageLines(const QStringList& lines);
    QWidget* DialogParent();

    Services& services_;
    ObservationSession* session_ = nullptr;
    GaugeScreen gauge_;
    QTimer tmrTime_;
    QLabel* heading_;
    QLabel* temperature_;
    QList<QLabel*> qLabels_; // Q1 first, Q1 second, Q2 first, Q2 second
    QList<QLabel*> qValues_;
    QList<QLabel*> readingLabels_;
    QList<QLabel*> readings_;
    QList<QLabel*> messageLines_;
    QLabel* sysTime_;
    QLabel* dispMu_;
    QGroupBox* clockFrame_;
    QLabel* obsTime_;
    QLabel* obsMu_;
    QLabel* calcO3_;
    QLabel* quality_;
    QPushButton* start_;
    QPushButton* accept_;
    QPushButton* reject_;
    QAction* visual_;
    QAction* both_;
    QAction* computer_;
    QAction* observer_;
    QAction* xovers10_;
    QAction* xovers5_;
};

} // namespace quillon
