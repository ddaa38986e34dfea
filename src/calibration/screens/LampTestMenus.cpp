// SPDX-License-Identifier: GPL-3.0-or-later
#include "calibration/screens/LampTestMenus.h"

#include "config/ParameterText.h"
#include "records/DayFile.h"
#include "ui/EntryScreens.h"
#include "ui/InfoScreens.h"

#include <QMenuBar>

namespace quillon {

void AddInfoAndCommentEntries(QMenuBar* bar, Services& s, QWidget* screen) {
    QAction* info = bar->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("mmuInfo"));
    QObject::connect(info, &QAction::triggered, screen, [&s, screen] {
        ProginfoScreen dialog(ProgramInfoLines(s.setup, s.calibration), screen);
        dialog.exec();
    });
    QAction* comment = bar->addAction(QStringLiteral("&Comment"));
    comment->setObjectName(QStringLiteral("mmuComment"));
    QObject::connect(comment, &QAction::triggered, screen, [&s, screen] {
        if (const std::optional<QString> text = AskComment(&s.sounds, screen)) {
            WriteCommentText(s.setup, s.day, s.clock, s.messages, *text);
        }
    });
}

} // namespace quillon
