// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ContinueDialog.h"

#include "ui/ScreenHelpers.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

ContinueDialog::ContinueDialog(const QString& name, const QString& title, const QStringList& lines,
                               const QString& button, QWidget* parent)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    int i = 0;
    for (const QString& line : lines) {
        QLabel* label = NamedLabel(QStringLiteral("lblLine%1").arg(i++), line, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* go = new QPushButton(button, this);
    go->setObjectName(QStringLiteral("cmmdContinue"));
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(go);
    WidenToTitle(this, 460);
}

} // namespace quillon
