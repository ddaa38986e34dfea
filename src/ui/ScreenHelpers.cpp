// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScreenHelpers.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace quillon {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (isEnabled()) {
        emit clicked();
    }
}

void CentreOnScreen(QWidget* widget) {
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    widget->move(area.left() + (area.width() - widget->width()) / 2,
                 area.top() + (area.height() - widget->height()) / 2);
}

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void SpaceOrEscapeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WidenToTitle(QWidget* window, int atLeast) {
    const int wanted = window->fontMetrics().horizontalAdvance(window->windowTitle()) + 160;
    window->setMinimumWidth(std::max({atLeast, wanted, window->minimumWidth()}));
}

QLabel* WrappedLabel(const QString& text, QWidget* parent, const QString& name) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setObjectName(name);
    return label;
}

} // namespace quillon
