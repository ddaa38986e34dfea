// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/Services.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace quillon {

// "Quality of a day": each observation of a day with its quality flags and
// their reasons, the flagged rows marked; today's at first, another date
// typed in. Escape closes it.
class QualityWindow : public QDialog {
    Q_OBJECT
public:
    explicit QualityWindow(Services& services, QWidget* parent = nullptr);

    // Shows the local date typed ("MM/DD/YYYY").
    void ShowTypedDate();

private:
    Services& s_;
    QLineEdit* date_;
    QLabel* message_;
    QTableWidget* table_;
};

} // namespace quillon
