// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace quillon {

// "WOUDC file of a day": the local date to export, and whether to leave
// the observations with quality flags out of it. Enter exports, Escape
// closes.
class WoudcDayDialog : public QDialog {
    Q_OBJECT
public:
    WoudcDayDialog(const QString& today, QWidget* parent = nullptr);

    QString DateText() const;
    bool LeaveOutFlagged() const;

private:
    QLineEdit* date_;
    QCheckBox* leaveOut_;
};

} // namespace quillon
