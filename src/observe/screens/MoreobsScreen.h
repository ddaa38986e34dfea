// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

namespace quillon {

// "Select another type of observation.": the types the sun's mu allows now.
class MoreobsScreen : public QDialog {
    Q_OBJECT
public:
    MoreobsScreen(const QStringList& offered, double mu, QWidget* parent = nullptr);
    QString chosen; // empty when the operator escaped

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quillon
