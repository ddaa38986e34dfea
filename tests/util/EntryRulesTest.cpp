// SPDX-License-Identifier: GPL-3.0-or-later
// The entry rules of the temperature and initials screens: keys, ranges and
// messages.
#include "util/EntryRules.h"
#include "support/QtPrinters.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace quillon;

TEST(DegsC, RangeAndMessages) {
    double t = 0;
    EXPECT_TRUE(DegsCEnter("40", &t).accepted);
    EXPECT_EQ(t, 40);
    EXPECT_EQ(DegsCEnter("40.1", &t).error, "40.1 is out of range. ");
    EXPECT_TRUE(DegsCEnter("-5", &t).accepted);
    EXPECT_EQ(DegsCEnter("-5.5", &t).error, "-5.5 is out of range. ");
    EXPECT_EQ(DegsCEnter("", &t).error, "Enter Temperature or Press Escape");
    EXPECT_EQ(DegsCEnter("1.2.3", &t).error, "1.2.3 not a Number. ");
    EXPECT_EQ(DegsCSignKey("22", '-'), "-22");
    EXPECT_EQ(DegsCSignKey("-22", '+'), " 22");
    EXPECT_EQ(DegsCSignKey("20.5", '+'), " 20.5");
    EXPECT_EQ(DegsCSignKey(" 20.5", '-'), "-20.5");
    EXPECT_EQ(DegsCSignKey("", '-'), "");
    EXPECT_TRUE(DegsCAcceptsChar('7'));
    EXPECT_TRUE(DegsCAcceptsChar('.'));
    EXPECT_FALSE(DegsCAcceptsChar('a'));
}

TEST(Initials, ThreeCapitals) {
    EXPECT_EQ(InitialsKey("", 'a'), QChar('A'));
    EXPECT_EQ(InitialsKey("ABC", 'd'), std::nullopt);
    EXPECT_EQ(InitialsKey("A", '1'), std::nullopt);
    EXPECT_EQ(InitialsEnter("").error, "Please Enter Initials or Escape");
    EXPECT_EQ(CleanInitials("j. doe-smith"), "JDO");
    EXPECT_EQ(CleanInitials("12"), "");
    EXPECT_EQ(CleanInitials(QString("\u00e9ab")), "AB");
}
