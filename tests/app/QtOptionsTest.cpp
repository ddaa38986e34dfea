// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own options are passed over by the operator program's parser, in
// each of the forms Qt takes them.
#include "app/QtOptions.h"

#include <gtest/gtest.h>

using namespace quillon;

TEST(QtOptions, PassedOverInEveryFormAndTheProgramsOwnKept) {
    const ProgramArguments a =
        WithoutQtOptions({"quillon", "-platform", "offscreen", "--home", "/st", "-style=fusion",
                          "--stylesheet", "a.qss", "-reverse", "--geometry=800x600", "--bogus"});
    EXPECT_EQ(a.own, QStringList({"quillon", "--home", "/st", "--bogus"}));
    EXPECT_TRUE(a.missingValue.isEmpty());
    // A Qt option whose value is missing is named.
    EXPECT_EQ(WithoutQtOptions({"quillon", "--home", "/st", "-platform"}).missingValue,
              "-platform");
    // Only after "--" is everything the program's own.
    EXPECT_EQ(WithoutQtOptions({"quillon", "--", "-platform", "x"}).own,
              QStringList({"quillon", "--", "-platform", "x"}));
}
