// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/BlueSkyScreen.h"

#include "sound/Play.h"
#include "ui/ScreenHelpers.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {
struct Frame {
    const char* name;
    const char* caption;
    int stage;
    QList<std::pair<const char*, const char*>> options;
};

// The frames of the sky's choices, in the order they are chosen; each
// option's label and its F key's text.
QList<Frame> SkyFrames() {
    return {
        {"fBS",
         "Sky",
         SkySelection::kSky,
         {{"lblBSC", "F1:Clear"}, {"lblBSH", "F2:Hazy"}, {"lblBSVH", "F3:Very Hazy"}}},
        {"fHgt",
         "Height",
         SkySelection::kHeight,
         {{"lblhgtH", "F1:High"}, {"lblhgtM", "F2:Medium"}, {"lblhgtL", "F3:Low"}}},
        {"fthk",
         "Thickness",
         SkySelection::kThickness,
         {{"lblthkTN", "F1:Thin"}, {"lblthkM", "F2:Medium"}, {"lblthkTK", "F3:Thick"}}},
        {"fTX",
         "Texture",
         SkySelection::kTexture,
         {{"lblTxU", "F1:Uniform"}, {"lblTxV", "F2:Variable"}, {"lblTxP", "F3:Patchy"}}},
        {"fSpecl",
         "Special Conditions",
         SkySelection::kSpecial,
         {{"lblNone", "F1:NONE"},
          {"lblRain", "F2:RAIN"},
          {"lblSnow", "F3:SNOW"},
          {"lblFog", "F4:FOG"},
          {"lblSmog", "F5:SMOG"},
          {"lblDust", "F6:DUST"},
          {"lblSmoke", "F7:SMOKE"}}},
    };
}

} // namespace

BlueSkyScreen::BlueSkyScreen(const QString& type, Sounds* sounds, QWidget* parent)
    : QDialog(parent), selection_(type), sounds_(sounds) {
    setObjectName(QStringLiteral("Blue_sky"));
    setWindowTitle(selection_.caption);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    QMenu* keys = bar->addMenu(QStringLiteral("Functions"));
    keys->setObjectName(QStringLiteral("mmFuncKeys"));
    for (int k = 1; k <= 7; ++k) {
        QAction* key = keys->addAction(QStringLiteral("F%1").arg(k));
        key->setObjectName(QStringLiteral("fkey%1").arg(k));
        key->setShortcut(QKeySequence(QStringLiteral("F%1").arg(k)));
        connect(key, &QAction::triggered, this, [this, k] { Press(k); });
    }
    layout->setMenuBar(bar);
    auto* grid = new QGridLayout();
    int column = 0;
    for (const Frame& f : SkyFrames()) {
        // The sky's frame is named for the target (blue zenith, sky near
        // the moon).
        const QString caption =
            f.stage == SkySelection::kSky && !selection_.skyFrameCaption.isEmpty()
                ? selection_.skyFrameCaption
                : QString::fromLatin1(f.caption);
        grid->addWidget(BuildFrame(QString::fromLatin1(f.name), caption, f.stage, f.options), 0,
                        column++);
    }
    layout->addLayout(grid);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblMessage"));
    layout->addWidget(message_);
    commentHint_ = new QLabel(QStringLiteral("Please add a comment and press enter."), this);
    layout->addWidget(commentHint_);
    comment_ = new QLineEdit(this);
    comment_->setObjectName(QStringLiteral("txtComment"));
    layout->addWidget(comment_);
    layout->addWidget(
        new QLabel(QStringLiteral("Please make several observations of different types."), this));
    auto* exit = new QPushButton(QStringLiteral("e&Xit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &BlueSkyScreen::reject);
    layout->addWidget(exit);
    connect(comment_, &QLineEdit::returnPressed, this, [this] {
        if (selection_.CurrentStage() == SkySelection::kComment) {
            accept();
        }
    });
    ShowStage();
}

QGroupBox* BlueSkyScreen::BuildFrame(const QString& name, const QString& caption, int stage,
                                     const SkyOptions& options) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    auto* frameLayout = new QVBoxLayout(frame);
    int k = 1;
    for (const auto& [label, text] : options) {
        AddOption(frame, frameLayout, stage, k++, QString::fromLatin1(label),
                  QString::fromLatin1(text));
    }
    return frame;
}

void BlueSkyScreen::AddOption(QGroupBox* frame, QVBoxLayout* frameLayout, int stage, int key,
                              const QString& name, const QString& text) {
    auto* label = new ClickLabel(text, frame);
    label->setObjectName(name);
    label->setProperty("stage", stage);
    connect(label, &ClickLabel::clicked, this, [this, key, stage] {
        if (selection_.CurrentStage() == stage) {
            Press(key);
        }
    });
    labels_.insert(name, label);
    frameLayout->addWidget(label);
}

void BlueSkyScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (sounds_) {
        sounds_->PlayInfoCue();
    }
}

void BlueSkyScreen::ShowStage() {
    message_->setText(selection_.message);
    for (QLabel* label : std::as_const(labels_)) {
        label->setEnabled(label->property("stage").toInt() == selection_.CurrentStage());
    }
    const bool comment = selection_.CurrentStage() == SkySelection::kComment;
    commentHint_->setVisible(comment);
    comment_->setVisible(comment);
    if (comment) {
        comment_->setFocus();
    }
}

void BlueSkyScreen::Press(int fkey) {
    if (!selection_.Press(fkey)) {
        return;
    }
    if (QLabel* chosen = labels_.value(selection_.ChosenLabel())) {
        chosen->setStyleSheet(QStringLiteral("background: white; color: black;"));
    }
    ShowStage();
}

void BlueSkyScreen::reject() {
    escaped = true;
    QDialog::reject();
}

void BlueSkyScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
