// SPDX-License-Identifier: GPL-3.0-or-later
// The busy gate: a command runs at once when nothing runs, waits otherwise,
// only the latest waits, it runs from the event loop after the last hold,
// and the message line's text names it and the work it waits for.
#include "station/BusyGate.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

using namespace quillon;

TEST(BusyGate, RunsAtOnceWhenFreeAndUnderItsOwnHold) {
    BusyGate gate;
    QStringList ran;
    gate.Run(
        [&] {
            EXPECT_TRUE(gate.IsBusy());
            // A command started from inside a command waits for it.
            gate.Run([&] { ran << "inner"; }, "TODAY");
            EXPECT_EQ(gate.WaitingText(), "Waiting: TODAY after ADDSGQP");
            ran << "outer";
        },
        "ADDSGQP");
    EXPECT_EQ(ran, QStringList{"outer"});
    EXPECT_FALSE(gate.IsBusy());
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (QStringList{"outer", "inner"}));
    EXPECT_EQ(gate.WaitingText(), "");
}

TEST(BusyGate, OnlyTheLatestWaitsUntilTheLastHoldEnds) {
    BusyGate gate;
    QStringList ran;
    int told = 0;
    gate.SetWaitingObserver([&] { ++told; });
    {
        BusyGate::Hold outer(gate, "the dial read");
        {
            BusyGate::Hold inner(gate, "the transfer");
            gate.Run([&] { ran << "F1"; }, "ADDSGQP");
            gate.Run([&] { ran << "F1 again"; }, "ADDSGQP");
            gate.Run([&] { ran << "F2"; }, "CDDSGQP");
            EXPECT_EQ(gate.Waiting(), 1);
            EXPECT_EQ(gate.WaitingText(), "Waiting: CDDSGQP after the transfer");
        }
        EXPECT_EQ(gate.WaitingText(), "Waiting: CDDSGQP after the dial read");
        QCoreApplication::processEvents();
        EXPECT_TRUE(ran.isEmpty()); // still held
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList{"F2"});
    EXPECT_EQ(gate.Waiting(), 0);
    EXPECT_GT(told, 0);

    // Dropped: nothing runs, and a second drop says nothing was waiting.
    {
        BusyGate::Hold hold(gate);
        gate.Run([&] { ran << "dropped"; }, "Comment");
        EXPECT_EQ(gate.WaitingText(), "Waiting: Comment");
        EXPECT_TRUE(gate.DropWaiting());
        EXPECT_FALSE(gate.DropWaiting());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList{"F2"});
}
