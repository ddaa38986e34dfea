// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/MoreobsScreen.h"

#include "observe/Guidance.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

MoreobsScreen::MoreobsScreen(const QStringList& offered, double mu, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Moreobs"));
    setWindowTitle(QStringLiteral("Select another type of observation."));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    QMenu* menu = bar->addMenu(QStringLiteral("obs"));
    layout->setMenuBar(bar);
    auto* frame = new QGroupBox(QStringLiteral("Available Observations at this time (mu):") +
                                    FormatNumber(mu, u"##.000"),
                                this);
    auto* frameLayout = new QVBoxLayout(frame);
    for (const ObservationEntry& entry : ObservationEntries()) {
        if (*entry.labelName == '\0') {
            continue; // the moon is not offered here
        }
        const QString code = QString::fromLatin1(entry.code);
        auto choose = [this, code] {
            chosen = code;
            accept();
        };
        QAction* action = menu->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.menuName));
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setEnabled(offered.contains(code));
        action->setVisible(offered.contains(code));
        connect(action, &QAction::triggered, this, choose);
        auto* label = new ClickLabel(QString::fromLatin1(entry.labelCaption), frame);
        label->setObjectName(QString::fromLatin1(entry.labelName));
        label->setVisible(offered.contains(code));
        connect(label, &ClickLabel::clicked, this, choose);
        frameLayout->addWidget(label);
    }
    layout->addWidget(frame);
    auto* exit = new QPushButton(
        QStringLiteral("e&Xit or Escape Key will take you back to top level"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(exit);
}

void MoreobsScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        chosen.clear();
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
