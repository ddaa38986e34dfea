#pragma once

#include "instrument/screens/GaugeScreen.h"
#include "observe/ObservationDriver.h"
#include "station/Services.h"

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

// "This is the form controlling the observations.": start, the five
// measurements on the wait gauge, the result, and Accept, Reject or
// another type.
class ObsScreen : public QDialog, public ObservationScreens {
    Q_OBJECT
public:
    ObsScreen(Services& services, int& readingsCount, QWidget* parent = nullptr);

    // Ready for the type in vars.ObsType after its set-up.
    void Prepare();

    // The type the operator chose to do next (empty: back to the main screen).
    const QString& NextType() const { return nextType_; }
    const ObservationRun& LastRun() const { return run_; }
    GaugeScreen& GaugeWindow() { return gauge_; }

    void Start();
    void Accept();
    void Reject();
    void EscapeToTypeSelection();
    void NewTemperature();
    void PrepareRestart();

    // ObservationScreens
    GaugeDisplay& Gauge() override { return gauge_; }
    bool ObserverPrompt(const QString& caption, const QString& message,
                        const QStringList& lines) override;
    void ShowWarning(const ObservationWarning& warning) override;
    void ShowReading(int field, const QString& text) override;
    void ShowResult(const QString& meanTime, const QString& mu, const QString& ozone) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus(QVBoxLayout* layout);
    void ResetObsScreen();
    void ShowQSettingsOnScreen();
    void TimeTick();
    bool EscapePrompt();
    void SetMessageLines(const QStringList& lines);

    Services& services_;
    int& n_;
    GaugeScreen gauge_;
    ObservationRun run_;
    QString nextType_;
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
