// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/Play.h"
#include "util/RdialSource.h"

#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace quillon {

// "Check Encoder Zero" and "Check Encoder Scan": the live R-dial against the
// hairline at 0 and at 300.0; the judgement is the operator's.
class EncoderCheckScreen : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Zero, Span };
    EncoderCheckScreen(Kind kind, RdialSource& dial, Sounds& sounds, QWidget* parent = nullptr);

    // One refresh of the R-dial value (the timer's tick).
    void Refresh();
    QTimer* Timer1() { return &timer_; }
    // The counter failed during the check (it has been reported).
    bool Failed() const { return failed_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    RdialSource& dial_;
    Sounds& sounds_;
    QLabel* rdial_;
    QTimer timer_;
    bool failed_ = false;
};

// Runs the zero check and then the span check, each modally.
void CheckEncoder(RdialSource& dial, Sounds& sounds, QWidget* parent);

} // namespace quillon
