// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calibration/QTable.h"
#include "station/Services.h"
#include "util/Answers.h"

#include <optional>

namespace quillon {

// What the Q-table review and adjustment show and ask.
class QTableReviewScreens {
public:
    virtual ~QTableReviewScreens() = default;
    // "AdjQtable" prepared with the table in use, shown without waiting.
    virtual void ShowTableInUse() = 0;
    // Each history record as it is read: its date and difference.
    virtual void ShowProgress(const QString& line) = 0;
    // The initials prompt with the review's warnings; nothing when escaped.
    virtual std::optional<QString> AskInitials(const QString& caption,
                                               const QStringList& lines) = 0;
    // "AdjQtable" with the review, until it is closed; its Continue and
    // Accept hand the operator's choice to the review.
    virtual void RunReview(const QReview& review) = 0;
    // "Inqadj": the adjustment, or nothing when the operator escaped.
    virtual std::optional<float> AskAdjustment() = 0;
    // "Escape was pressed during input of number": enter it again or not.
    virtual RetryOrCancel AskRetryAdjustment() = 0;
    virtual void ShowNewSettings(const QSettings15& settings) = 0;
    // "Qchanged" with its lines.
    virtual void ShowChanged(const QStringList& lines) = 0;
    // The review is over (accepted or left): "AdjQtable" closes.
    virtual void CloseReview(bool accepted) = 0;
};

// The Q-table review from the menu: the last three mercury tests read from
// the history, the operator's initials under the warnings, then any number
// of adjustments shown against the table in use, and Accept. Nothing is
// written before Accept. The screens only show and ask.
class QTableReview {
public:
    QTableReview(Services& services, QTableReviewScreens& screens);

    // The whole review; true when a change was accepted.
    bool Run();
    // Continue: the adjustment asked (again after an escape, when the
    // operator retries) and the new settings shown. False when the
    // operator cancelled: the review is over.
    bool Adjust();
    // Accept of the shown adjustment: false when there is none, or when a
    // file could not be written (the operator has been told, nothing
    // changed, and Accept may be tried again).
    bool Accept();

private:
    Services& s_;
    QTableReviewScreens& screens_;
    QString initials_;
    std::optional<float> adjustment_;
    bool accepted_ = false;
};

// The initials prompt's lines of the review: the warnings, the count line,
// the kept tests, the skipped records named, and the out-of-limits line
// as its eleventh line.
QStringList QTableReviewPromptLines(const QReview& review);

} // namespace quillon
