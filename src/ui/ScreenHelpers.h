// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>

namespace quillon {

// A label that runs an action when clicked (the shortcut hints).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// Centres a window on its screen.
void CentreOnScreen(QWidget* widget);

// Makes a window wide enough for its whole title (with room for the title
// bar's buttons): a title cut short can hide what only it names.
void WidenToTitle(QWidget* window, int atLeast = 420);

// A label with an object name, for screens built in code.
QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent);

// A label whose text wraps, with its control name (none when empty).
QLabel* WrappedLabel(const QString& text, QWidget* parent, const QString& name = QString());

// A dialog closed by the Space bar or Escape (the small information screens).
class SpaceOrEscapeDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quillon
