// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "observe/SkyConditions.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>

class QGroupBox;
class QVBoxLayout;

namespace quillon {

class Sounds;

// "Direct Sun or Zenith Sky Conditions": the sky choices with F1 to F7 (or
// clicks on their labels), then the comment.
class BlueSkyScreen : public QDialog {
    Q_OBJECT
public:
    BlueSkyScreen(const QString& type, Sounds* sounds, QWidget* parent = nullptr);

    const SkySelection& Selection() const { return selection_; }
    QString CommentText() const { return comment_->text(); }
    bool escaped = false;
    // Closing the window by its title bar is Escape.
    void reject() override;

    void Press(int fkey);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // A frame's options: each label's object name and its F key's text.
    using SkyOptions = QList<std::pair<const char*, const char*>>;
    QGroupBox* BuildFrame(const QString& name, const QString& caption, int stage,
                          const SkyOptions& options);
    void AddOption(QGroupBox* frame, QVBoxLayout* frameLayout, int stage, int key,
                   const QString& name, const QString& text);
    void ShowStage();

    SkySelection selection_;
    Sounds* sounds_;
    QLabel* message_;
    QLabel* commentHint_;
    QLineEdit* comment_;
    QMap<QString, QLabel*> labels_;
};

} // namespace quillon
