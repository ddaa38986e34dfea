// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GaugeScreen.h"

#include "ui/ScreenHelpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quillon {

GaugeScreen::GaugeScreen(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ggauge"));
    setWindowTitle(QStringLiteral("Gas Gauge Wait"));
    auto* layout = new QVBoxLayout(this);
    // The caption again in the body: a title bar may cut it, and it names
    // the wavelength being measured.
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("lblCaption"));
    caption_->setWordWrap(true);
    layout->addWidget(caption_);
    frame_ = new QGroupBox(QStringLiteral("UP"), this);
    auto* frameLayout = new QVBoxLayout(frame_);
    bar_ = new QProgressBar(frame_);
    bar_->setObjectName(QStringLiteral("hscGasGauge"));
    bar_->setTextVisible(false);
    frameLayout->addWidget(bar_);
    layout->addWidget(frame_);
    for (auto [label, name] : {std::pair{&info_, "lblInfo"}, std::pair{&topLine_, "lblTopLine"},
                               std::pair{&bottomLine_, "lblBtmLine"}}) {
        *label = new QLabel(this);
        (*label)->setObjectName(QString::fromLatin1(name));
        QFont font = (*label)->font();
        font.setPointSize(font.pointSize() + 4);
        (*label)->setFont(font);
        layout->addWidget(*label);
    }
    auto* exit = new QPushButton(QStringLiteral("e&Xit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    // Only its access key, a click or Escape stop a measurement: a Space or
    // Enter meant for another window must not end a wavelength's readings,
    // so the button never takes the keyboard focus and is never the default.
    exit->setFocusPolicy(Qt::NoFocus);
    exit->setAutoDefault(false);
    exit->setDefault(false);
    connect(exit, &QPushButton::clicked, this, [this] { exitPressed_ = true; });
    layout->addWidget(exit);
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(420);
}

void GaugeScreen::SetCallerText(const QString& caption, const QString& bottomLine) {
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
        caption_->setText(caption);
        WidenToTitle(this);
    }
    bottomLine_->setText(bottomLine);
}

void GaugeScreen::Open(const QString& mode, int maximum, int value, const QString& info) {
    exitPressed_ = false;
    frame_->setTitle(mode);
    bar_->setRange(0, maximum);
    bar_->setValue(value);
    info_->setText(info);
    topLine_->clear();
    if (beside_) {
        // Beside its workflow's screen, not over it: the screen's clock,
        // messages and results stay in sight during the measurement.
        const QRect owner = beside_->frameGeometry();
        move(owner.right() + 8, owner.top());
    }
    show();
    raise();
    QCoreApplication::processEvents();
}

void GaugeScreen::SetProgress(int value, const QString& topLine) {
    bar_->setValue(value);
    topLine_->setText(topLine);
    repaint();
}

void GaugeScreen::Close() {
    hide();
    setWindowTitle(QStringLiteral("Gas Gauge Wait"));
    bottomLine_->clear();
}

void GaugeScreen::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        exitPressed_ = true;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept(); // no default button to press
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void GaugeScreen::closeEvent(QCloseEvent* event) {
    // Closing the window is leaving with e&Xit; the core hides it.
    exitPressed_ = true;
    event->ignore();
}

} // namespace quillon
