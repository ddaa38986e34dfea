// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

namespace quillon {

// A notice with its lines and one Continue button (the warnings and
// verdicts of the lamp tests): Space, Enter, Escape or the close button
// all go on, as the notice asks nothing.
class ContinueDialog : public QDialog {
    Q_OBJECT
public:
    ContinueDialog(const QString& name, const QString& title, const QStringList& lines,
                   const QString& button = QStringLiteral("Continue"), QWidget* parent = nullptr);
};

} // namespace quillon
