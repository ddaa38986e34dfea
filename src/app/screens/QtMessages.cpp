// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screens/QtMessages.h"

#include <QMessageBox>

namespace quillon {

void QtMessages::Show(const QString& text, const QString& title) {
    QMessageBox::information(parent_, title, text);
}

bool QtMessages::AskYesNo(const QString& text, const QString& title) {
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace quillon
