// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quillon {

// A first run for a new station: the home does not exist yet. The dialog
// says so and offers to copy the example station there (for training) or
// to quit. True when the home exists afterwards.
bool EnsureStationHome(const QString& home, QWidget* parent = nullptr);

} // namespace quillon
