// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/QTableReview.h"

#include "calibration/MercuryTest.h"
#include "util/Format.h"

namespace quillon {

QStringList QTableReviewPromptLines(const QReview& review) {
    QStringList lines = {QStringLiteral("Changing the Q table incorrectly will cause the"),
                         QStringLiteral("the Ozone values to incorrect -- "),
                         QStringLiteral("Please read the following suggestions CAREFULLY"),
                         QStringLiteral("THE TABLE SHOULD NOT BE CHANGED BASED ON ONE TEST!"),
                         QString(),
                         review.countLine};
    lines << review.testLines;
    for (const QString& problem : review.problems) {
        if (lines.size() < 10) {
            lines << QStringLiteral("Skipped: ") + problem;
        }
    }
    while (lines.size() < 10) {
        lines << QString();
    }
    lines << review.outLine;
    return lines;
}

QTableReview::QTableReview(Services& services, QTableReviewScreens& screens)
    : s_(services), screens_(screens) {}

bool QTableReview::Run() {
    screens_.ShowTableInUse();
    const HgHistory history =
        ReadHgHistory(MercuryHistoryPath(s_.setup), [this](const HgHistoryEntry& entry) {
            screens_.ShowProgress(entry.date + u' ' + StrSingle(entry.difference));
        });
    const QReview review = ReviewLines(history);
    const std::optional<QString> initials = screens_.AskInitials(
        QStringLiteral("Input initials for the Mercury Test."), QTableReviewPromptLines(review));
    if (!initials) {
        screens_.CloseReview(false);
        return false;
    }
    initials_ = *initials;
    s_.settings.ObserverInitials = *initials;
    screens_.RunReview(review);
    return accepted_;
}

bool QTableReview::Adjust() {
    for (;;) {
        if (const std::optional<float> value = screens_.AskAdjustment()) {
            adjustment_ = *value;
            break;
        }
        if (screens_.AskRetryAdjustment() == RetryOrCancel::Cancel) {
            screens_.CloseReview(false);
            return false;
        }
    }
    // Always from the table in use: a second Continue adjusts the same
    // table again, never the values shown by the first.
    screens_.ShowNewSettings(AdjustedSettings(s_.calibration, *adjustment_));
    return true;
}

bool QTableReview::Accept() {
    if (!adjustment_ || accepted_) {
        return false;
    }
    if (!AcceptQTableChange(s_.setup, s_.day, s_.calibration, initials_, s_.clock, s_.messages,
                            *adjustment_)) {
        return false;
    }
    accepted_ = true;
    screens_.ShowChanged(
        {QStringLiteral("INST.CFG in ") + s_.setup.ConfigDir + QStringLiteral(" has been changed."),
         QStringLiteral("The Old File is named:INSTCFG.BAK")});
    screens_.CloseReview(true);
    return true;
}

} // namespace quillon
