// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer's test fixture: a scratch station of instrument 083 with an
// encoder, its archive site, a clock just after local midnight, and the day
// files and comments by name.
#include "config/ArchiveSite.h"
#include "records/DayFile.h"
#include "support/FakeClock.h"
#include "support/Recorders.h"
#include "support/TestStation.h"
#include "util/TextFile.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quillon::test {

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        vars = LoadedVars(station);
        vars.setup.InstrumentId = "083";
        vars.setup.EncoderInUse = true;
        vars.setup.UtcOffsetHours = 0;
    }
    void DayFile(const QString& name) {
        station.Write("data/" + name, "\"Boulder, Colorado\"\r\nDobson, 83 \r\n" + name.toUtf8() +
                                          "\r\n12:00:00\r\n====\r\n");
    }
    QStringList Comments() {
        const QStringList lines = SplitLines(
            DecodeWindows1252(station.Read("data/" + DayFileName(vars.setup, clock.Now()))));
        return lines.filter(QRegularExpression("^\"(Sent|Failed)"));
    }
    TestStation station;
    StationState vars;
    ArchiveSite site;
    FakeClock clock{MakeDateTime(2006, 3, 25, 0, 5, 0)}; // just after local midnight
    RecordingMessages messages;
};

} // namespace quillon::test
