// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calibration/MercuryTestSession.h"
#include "station/Services.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

class QGridLayout;
class QVBoxLayout;

namespace quillon {

// "Hgtest": the mercury lamp test's form. The operator types the
// temperatures and the ten Q1 readings; every Enter and Accept hands the
// boxes to the session and shows what it decides.
class HgtestScreen : public QDialog, public MercuryScreens {
    Q_OBJECT
public:
    HgtestScreen(Services& services, QWidget* parent = nullptr);

    // The opening sequence (initials, hint) and the form; returns when the
    // test is saved or left.
    void Run();

    void ResetTest();
    void Accept();
    bool Saved() const { return session_.Saved(); }

    // MercuryScreens
    std::optional<QString> AskInitials(const QString& caption, const QStringList& lines) override;
    void ShowHint(const QString& title, const QStringList& lines) override;
    void RunForm() override;
    void ShowEvaluation(const MercuryEvaluation& evaluation) override;
    void ShowDialog(const MercuryDialogText& text, const QString& button) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The screen's parts: the readings' and temperatures' boxes, the
    // evaluation's labels, the buttons.
    void BuildEntryBoxes(QGridLayout* grid);
    void BuildResultLabels(QGridLayout* grid);
    void BuildButtons(QVBoxLayout* layout);

    // Escape, the moving and correcting keys, and keys that are no
    // character; nothing for a character the box's own rule decides.
    std::optional<bool> CommonKey(QKeyEvent* event);
    // The value of a box on Enter; nothing, with the message line saying
    // why, for an empty box or a value out of its range (the box emptied).
    // Shows an entered box's message; true when it holds a value.
    bool Entered(QLineEdit* edit, const MercuryBoxEntry& entry);
    bool ReadingKey(int box, QKeyEvent* event);
    bool TemperatureKey(QLineEdit* box, QKeyEvent* event);
    void Evaluate(int caller);
    void FocusNext(const MercuryEvaluation& evaluation, bool fromAccept);
    void DoneSave();
    MercuryEntries Entries() const;

    Services& s_;
    MercuryTestSession session_;
    QList<QLineEdit*> readings_;
    QLineEdit* startTemp_;
    QLineEdit* endTemp_;
    QList<QLabel*> header_;
    QLabel* aveTemp_;
    QLabel* tableVal_;
    QLabel* testAve_;
    QLabel* diff_;
    QLabel* tableDate_;
    QPushButton* accept_;
    QPushButton* done_;
    QPushButton* startOver_;
    QPushButton* exit_;
};

} // namespace quillon
