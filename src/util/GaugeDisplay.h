// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// The wait gauge "Gas Gauge Wait": a progress bar that counts readings up
// ("UP") or seconds down ("DOWN"), with an e&Xit button that stays live.
class GaugeDisplay {
public:
    virtual ~GaugeDisplay() = default;
    // The caller's caption and instruction lines (count-downs of observations).
    virtual void SetCallerText(const QString& caption, const QString& bottomLine) = 0;
    virtual void Open(const QString& mode, int maximum, int value, const QString& info) = 0;
    virtual void SetProgress(int value, const QString& topLine) = 0;
    virtual bool ExitPressed() const = 0;
    virtual void Close() = 0;
};

} // namespace quillon
