// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChoiceScreen.h"

#include "ui/ScreenHelpers.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

int Choose(const QString& name, const QString& title, const QStringList& lines,
           const QStringList& choices, int escapeChoice, QWidget* parent, int defaultChoice,
           const QList<int>& guarded) {
    QDialog dialog(parent);
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    WidenToTitle(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    int i = 0;
    for (const QString& line : lines) {
        layout->addWidget(NamedLabel(i++ == lines.size() - 1 ? QStringLiteral("lblInfo")
                                                             : QStringLiteral("lblLine%1").arg(i),
                                     line, &dialog));
    }
    int chosen = escapeChoice;
    QPushButton* harmless = nullptr;
    for (int k = 0; k < choices.size(); ++k) {
        auto* button = new QPushButton(choices[k], &dialog);
        button->setObjectName(QStringLiteral("cmmdChoice%1").arg(k + 1));
        // Tab moves among the choices, and Enter presses the one Tab reached.
        button->setAutoDefault(!guarded.contains(k + 1));
        if (guarded.contains(k + 1)) {
            button->setFocusPolicy(Qt::NoFocus);
        }
        if (k + 1 == defaultChoice) {
            harmless = button;
        }
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &chosen, k] {
            chosen = k + 1;
            dialog.accept();
        });
        layout->addWidget(button);
    }
    if (harmless) {
        harmless->setDefault(true);
        harmless->setFocus();
    }
    dialog.exec(); // closed by its title bar or Escape: the escape choice
    return chosen;
}

} // namespace quillon
