// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

class QWidget;

namespace quillon {

// A decision screen of fixed choices, numbered from 1. Space and Enter
// press the focused choice; `defaultChoice`, the harmless one, has the
// focus when the screen opens. A choice in `guarded` (one that writes a
// calibration) never takes the focus, so only its access key or a click
// takes it. Closed by its title bar or Escape: `escapeChoice`.
int Choose(const QString& name, const QString& title, const QStringList& lines,
           const QStringList& choices, int escapeChoice, QWidget* parent, int defaultChoice = 1,
           const QList<int>& guarded = {});

} // namespace quillon
