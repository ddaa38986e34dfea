// SPDX-License-Identifier: GPL-3.0-or-later
// The Q-table review's sequence with a scripted operator: every record
// shown as it is read, the warnings under the initials, an escaped
// adjustment retried or cancelled, adjustments always from the table in
// use, and Accept only after an adjustment was shown.
#include "calibration/QTableReview.h"
#include "config/GetInfo.h"
#include "support/TestServices.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <optional>

using namespace quillon;
using namespace quillon::test;

namespace {

class ScriptedReview : public QTableReviewScreens {
public:
    void ShowTableInUse() override { log << "table in use"; }
    void ShowProgress(const QString& line) override { progress << line; }
    std::optional<QString> AskInitials(const QString&, const QStringList& lines) override {
        prompt = lines;
        return escapeInitials ? std::nullopt : std::optional<QString>("RDE");
    }
    void RunReview(const QReview&) override {
        log << "review";
        if (atReview) {
            atReview();
        }
    }
    std::optional<float> AskAdjustment() override {
        log << "adjustment";
        return adjustments.isEmpty() ? std::nullopt : adjustments.takeFirst();
    }
    RetryOrCancel AskRetryAdjustment() override {
        log << "retry?";
        return !retries.isEmpty() && retries.takeFirst() ? RetryOrCancel::Retry
                                                         : RetryOrCancel::Cancel;
    }
    void ShowNewSettings(const QSettings15& q) override { shownHg << q.hg; }
    void ShowChanged(const QStringList& lines) override { log << "Qchanged " + lines[1]; }
    void CloseReview(bool accepted) override { log << (accepted ? "closed" : "left"); }

    QStringList log, progress, prompt;
    QList<std::optional<float>> adjustments;
    QList<bool> retries;
    QList<double> shownHg;
    bool escapeInitials = false;
    std::function<void()> atReview;
};

QByteArray HgRecord(const char* date, const char* difference) {
    return QByteArray("HGLAMP,") + date + ",10:00:00,  20.0, 21.0\r\n" +
           "  78.0   78.0   78.0   00.0   00.0 \r\n" + "  70.6   70.6   70.6   00.0   00.0 \r\n" +
           "   74.30   74.00   " + difference + "  24 Mar 2006\r\n";
}

class QTableReviewSession : public ::testing::Test {
protected:
    QTableReviewSession() {
        vars = LoadedVars(station);
        vars.settings.ObserverInitials = "RDE";
        station.Write("history/hghist.061", HgRecord("03/01/2006", " 00.10") +
                                                HgRecord("03/02/2006", " 0x.50") +
                                                HgRecord("03/03/2006", "-00.40"));
    }
    TestStation station;
    StationState vars;
    TestServices fakes{vars, MakeDateTime(2006, 3, 24, 17, 0, 0)};
    ScriptedReview op;
    QTableReview review{fakes.services, op};
};

} // namespace

TEST_F(QTableReviewSession, EachRecordShownAsReadAndTheWarningsUnderTheInitials) {
    const QByteArray before = station.Read("config/inst.cfg");
    op.escapeInitials = true;
    EXPECT_FALSE(review.Run());
    EXPECT_EQ(op.progress, QStringList({"03/01/2006  .1", "03/03/2006 -.4"}));
    ASSERT_EQ(op.prompt.size(), 11);
    EXPECT_EQ(op.prompt[3], "THE TABLE SHOULD NOT BE CHANGED BASED ON ONE TEST!");
    EXPECT_EQ(op.prompt[5], "There were two tests in the file:");
    EXPECT_EQ(op.prompt[6], "Date: 03/01/2006 Difference:  .1 in limits.");
    EXPECT_EQ(op.prompt[7], "Date: 03/03/2006 Difference: -.4 OUT of limits!");
    // The record whose difference is no number is named, not counted.
    EXPECT_TRUE(
        op.prompt[8].startsWith("Skipped: " + station.Home() + "history/hghist.061 line 5:"));
    EXPECT_EQ(op.prompt[10], "Only one test out of the limits were found.");
    // Escaped at the initials: the review closes and nothing is written.
    EXPECT_EQ(op.log, QStringList({"table in use", "left"}));
    EXPECT_EQ(station.Read("config/inst.cfg"), before);
}

TEST_F(QTableReviewSession, EscapedAdjustmentRetriedThenAcceptedFromTheTableInUse) {
    // Escape, Retry, +2.0 shown; Continue again: +1.0 from the table in
    // use (75.3, not 77.3); Accept.
    op.adjustments = {std::nullopt, 2.0f, 1.0f};
    op.retries = {true};
    op.atReview = [this] {
        EXPECT_FALSE(review.Accept()); // nothing shown yet: nothing to accept
        EXPECT_TRUE(review.Adjust());
        EXPECT_TRUE(review.Adjust());
        EXPECT_TRUE(review.Accept());
        EXPECT_FALSE(review.Accept()); // accepted once
    };
    EXPECT_TRUE(review.Run());
    EXPECT_EQ(op.log,
              QStringList({"table in use", "review", "adjustment", "retry?", "adjustment",
                           "adjustment", "Qchanged The Old File is named:INSTCFG.BAK", "closed"}));
    ASSERT_EQ(op.shownHg.size(), 2);
    EXPECT_NEAR(op.shownHg[0], 76.3, 1e-6);
    EXPECT_NEAR(op.shownHg[1], 75.3, 1e-6);
    EXPECT_EQ(SplitLines(DecodeWindows1252(station.Read("config/inst.cfg"))).mid(2, 4),
              QStringList({"97.17", "119.19", "133.67", "75.3"}));
}

TEST_F(QTableReviewSession, CancelAfterAnEscapeLeavesTheTable) {
    const QByteArray before = station.Read("config/inst.cfg");
    op.adjustments = {std::nullopt};
    op.retries = {false};
    op.atReview = [this] { EXPECT_FALSE(review.Adjust()); };
    EXPECT_FALSE(review.Run());
    EXPECT_EQ(op.log, QStringList({"table in use", "review", "adjustment", "retry?", "left"}));
    EXPECT_TRUE(op.shownHg.isEmpty());
    EXPECT_EQ(station.Read("config/inst.cfg"), before);
    EXPECT_FALSE(QFileInfo::exists(station.Home() + "config/instcfg.bak"));
}
