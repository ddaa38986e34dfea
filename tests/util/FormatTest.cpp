// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures every day-file and summary line is made with: rounding
// edges, signs, literals and leading blanks, stated exactly.
#include "util/Format.h"

#include <gtest/gtest.h>
#include <limits>

using namespace quillon;

TEST(FormatNumber, PicturesOfTheDayFileAndScreens) {
    struct Case {
        double value;
        const char16_t* picture;
        const char* expected;
    };
    const Case cases[] = {
        {12.34, u"##0.0", "12.3"},
        {0.04, u"##0.0", "0.0"},
        {-0.04, u"##0.0", "0.0"},
        {-99.9, u"##0.0", "-99.9"},
        {2.25, u"##0.0", "2.3"},
        {-2.25, u"##0.0", "-2.3"},
        {1.005, u"#0.00", "1.01"}, // decimal, not binary, rounding
        {5.3, u" 000.0", " 005.3"},
        {123.45, u" 000.0", " 123.5"},
        {300.0, u" 000.0", " 300.0"},
        {123.4, u" ##0.0", " 123.4"},
        {2.0, u" ##0.000", " 2.000"},
        {-9.999, u" ##0.000", "- 9.999"},
        {2.0, u"#0.000", "2.000"},
        {0.5, u"##.000", ".500"},
        {12.3456, u"##.000", "12.346"},
        {1.5, u"+#0.00;-#0.00;0.00", "+1.50"},
        {-1.5, u"+#0.00;-#0.00;0.00", "-1.50"},
        {0.0, u"+#0.00;-#0.00;0.00", "0.00"},
        {-0.12, u" 00.00; -0.00", " -0.12"},
        {1.2, u" 00.00; -0.00", " 01.20"},
        {1234567, u"###,###,###,000", "1,234,567"},
        {12, u"###,###,###,000", "012"},
        {83, u"000", "083"},
        {2, u"###", "2"},
        {40.03755, u"###.####", "40.0376"},
        {99.96, u"##0.0", "100.0"},
        {-9.9, u"##0.0", "-9.9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.picture), QString::fromLatin1(c.expected))
            << c.value << " in " << QString::fromUtf16(c.picture).toStdString();
    }
}

TEST(FormatDate, PicturesAndRoundingToTheSecond) {
    const DateTimeValue t = MakeDateTime(2006, 3, 24, 7, 5, 9);
    EXPECT_EQ(FormatDate(t, u"MM/DD/YYYY"), "03/24/2006");
    EXPECT_EQ(FormatDate(t, u"HH:MM:SS"), "07:05:09");
    EXPECT_EQ(FormatDate(t, u"hhmmss"), "070509");
    EXPECT_EQ(FormatDate(t, u"DD MMM YYYY"), "24 Mar 2006");
    EXPECT_EQ(FormatDate(t, u"YY"), "06");
    EXPECT_EQ(FormatDate(t, u"MM"), "03");
    // 23:59:59.6 rounds to midnight of the next day.
    const DateTimeValue late = MakeDateTime(2006, 12, 31, 23, 59, 59) + 0.6 / 86400.0;
    EXPECT_EQ(FormatDate(late, u"MM/DD/YYYY HH:MM:SS"), "01/01/2007 00:00:00");
}

TEST(Str, LeadingBlankAndNoLeadingZero) {
    EXPECT_EQ(Str(83), " 83");
    EXPECT_EQ(Str(-2.5), "-2.5");
    EXPECT_EQ(Str(0.5), " .5");
    EXPECT_EQ(Str(-0.25), "-.25");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(StrSingle(7.0f), " 7");
    EXPECT_EQ(StrSingle(0.1f), " .1");
}

TEST(TextLayout, PadAndTab) {
    EXPECT_EQ(PadRight("ADZB", 7), "ADZB   ");
    EXPECT_EQ(PadRight("ADDSGQPX", 7), "ADDSGQP");
    QString line;
    TabTo(line, 10);
    EXPECT_EQ(line.size(), 9);
    line += QStringLiteral("ADDSGQP");
    TabTo(line, 20);
    EXPECT_EQ(line.size(), 19);
}

TEST(FormatNumber, ValuesThatAreNoNumberGetAFixedText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatNumber(nan, u"##0.0"), "NaN");
    EXPECT_EQ(FormatNumber(inf, u" 000.0"), "Inf");
    EXPECT_EQ(FormatNumber(-inf, u"+#0.00;-#0.00;0.00"), "-Inf");
    EXPECT_EQ(Str(nan), " NaN");
    EXPECT_EQ(Str(-inf), "-Inf");
    // Huge but finite values keep every digit.
    EXPECT_EQ(FormatNumber(1e20, u"##0.0"), "100000000000000000000.0");
    // A date the calendar cannot hold has no month name to read past.
    EXPECT_EQ(FormatDate(nan, u"DD MMM YYYY"), "00 ??? 0");
    EXPECT_EQ(FormatDate(1e39, u"MM/DD/YYYY"), "00/00/0");
}
