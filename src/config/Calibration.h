// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace quillon {

// The instrument's calibration: inst.cfg's Q settings and test dates, the
// N-table and the lamp corrections, each with its date. An accepted
// calibration replaces it whole; a workflow copies it when it starts, so a
// calibration accepted elsewhere never changes a running series halfway.
struct Calibration {
    double TempCoeff = 0;
    double Q15A = 0;
    double Q15C = 0;
    double Q15D = 0;
    double Q15Hg = 0;
    QString QTableDate;
    QString LastHgTest = QStringLiteral("UNKNOWN");
    QString LastStdTest = QStringLiteral("UNKNOWN");
    QString NTableDate;
    // Row r (0-based) is R = 10 r; columns A, C, D.
    std::array<std::array<double, 3>, 30> NTable{};
    QString LampCorrDate;
    QString LampCorrLamp;
    // Index 0..3 in the file's order A, C, C', D.
    std::array<double, 4> LampCorr{};
};

} // namespace quillon
