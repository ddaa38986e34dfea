// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screens/WoudcDayDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

WoudcDayDialog::WoudcDayDialog(const QString& today, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WoudcDate"));
    setWindowTitle(QStringLiteral("WOUDC file of a day"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Local date (MM/DD/YYYY):"), this);
    date_ = new QLineEdit(today, this);
    date_->setObjectName(QStringLiteral("txtWoudcDate"));
    label->setBuddy(date_);
    leaveOut_ = new QCheckBox(QStringLiteral("Leave out &flagged observations"), this);
    leaveOut_->setObjectName(QStringLiteral("chkLeaveOutFlagged"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmmdOk"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(date_);
    layout->addWidget(leaveOut_);
    layout->addWidget(buttons);
    date_->setFocus();
}

QString WoudcDayDialog::DateText() const {
    return date_->text();
}

bool WoudcDayDialog::LeaveOutFlagged() const {
    return leaveOut_->isChecked();
}

} // namespace quillon
