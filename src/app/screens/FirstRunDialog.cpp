// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/screens/FirstRunDialog.h"

#include "app/FirstRun.h"

#include <QMessageBox>
#include <QPushButton>

namespace quillon {

bool EnsureStationHome(const QString& home, QWidget* parent) {
    if (HomeExists(home)) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("No station home"),
                    MissingHomeAdvice(home), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("FirstRun"));
    QPushButton* copy =
        box.addButton(QStringLiteral("&Copy the example station"), QMessageBox::AcceptRole);
    copy->setObjectName(QStringLiteral("cmmdCopy"));
    copy->setEnabled(!ExampleStationDir().isEmpty());
    QPushButton* quit = box.addButton(QStringLiteral("&Quit"), QMessageBox::RejectRole);
    quit->setObjectName(QStringLiteral("cmmdQuit"));
    box.setEscapeButton(quit);
    // Quitting is the harmless choice: Space and Enter take it; copying the
    // example takes its access key or a click.
    box.setDefaultButton(quit);
    box.exec();
    if (box.clickedButton() != copy) {
        return false;
    }
    if (const Result<void> copied = CopyExampleStation(home); !copied) {
        QMessageBox::critical(parent, QStringLiteral("No station home"),
                              QStringLiteral("The example station could not be copied to ") + home +
                                  QStringLiteral(": ") + copied.error().message);
        return false;
    }
    return true;
}

} // namespace quillon
