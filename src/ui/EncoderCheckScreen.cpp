// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EncoderCheckScreen.h"

#include "util/Format.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

// The instructions of the zero and span checks, in order.
QStringList EncoderZeroLines() {
    return {
        QStringLiteral("** READ HAIRLINE AND INSTRUCTIONS CAREFULLY **"),
        QStringLiteral("Verify Encoder operation before making observations."),
        QStringLiteral("Turn the R-dial to the ZERO against the  Hairline on the Post."),
        QStringLiteral("If the R: display below does NOT"),
        QStringLiteral("read 0.0, then reset Encoder"),
    };
}

QStringList EncoderSpanLines() {
    return {
        QStringLiteral("** READ HAIRLINE AND INSTRUCTIONS CAREFULLY **"),
        QStringLiteral("Verify Encoder operation before making observations."),
        QStringLiteral("Turn the R-dial to the 300.0 against the Hairline."),
        QStringLiteral("If the counter display or the R: display below does NOT"),
        QStringLiteral("read 300.0 +/-0.5, then some problem exists."),
        QStringLiteral("Possible Solutions:"),
        QStringLiteral("The Encoder setscrews are loose -- tighten"),
        QStringLiteral("The three plate is to keep the encoder from rotating with the R-dial."),
        QStringLiteral("Verify that the plate is not forcing a tilt to the encoder."),
        QStringLiteral("Check that the R-dial hold-down thumb bolt is not tight -- tighten."),
        QStringLiteral("Checking the R-dial versus the encoder at 100 and 200 "),
        QStringLiteral("is also a good practice."),
    };
}

} // namespace

EncoderCheckScreen::EncoderCheckScreen(Kind kind, RdialSource& dial, Sounds& sounds,
                                       QWidget* parent)
    : QDialog(parent), dial_(dial), sounds_(sounds) {
    const bool zero = kind == Kind::Zero;
    setObjectName(zero ? QStringLiteral("EncoderZero") : QStringLiteral("EncoderSpan"));
    setWindowTitle(zero ? QStringLiteral("Check Encoder Zero")
                        : QStringLiteral("Check Encoder Scan"));
    auto* layout = new QVBoxLayout(this);
    int i = 0;
    for (const QString& line : zero ? EncoderZeroLines() : EncoderSpanLines()) {
        auto* label = new QLabel(line, this);
        label->setObjectName(QStringLiteral("lblLine%1").arg(i++));
        layout->addWidget(label);
    }
    auto* frame = new QGroupBox(QStringLiteral("R:"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    rdial_ = new QLabel(QStringLiteral("rr0.0"), frame);
    rdial_->setObjectName(QStringLiteral("lblRdial"));
    QFont font = rdial_->font();
    font.setPointSize(font.pointSize() + 10);
    font.setBold(true);
    rdial_->setFont(font);
    frameLayout->addWidget(rdial_);
    layout->addWidget(frame);
    if (zero) {
        auto* reset = new QPushButton(QStringLiteral("Encoder Reset"), this);
        reset->setObjectName(QStringLiteral("cmdReset"));
        reset->setAutoDefault(false);
        connect(reset, &QPushButton::clicked, this, [this] {
            dial_.ResetDial();
            Refresh();
        });
        layout->addWidget(reset);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmmdokay"));
    connect(ok, &QPushButton::clicked, this, [this] {
        timer_.stop();
        accept();
    });
    layout->addWidget(ok);
    timer_.setParent(this);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &EncoderCheckScreen::Refresh);
}

void EncoderCheckScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timer_.start();
    sounds_.PlayAttention();
}

void EncoderCheckScreen::Refresh() {
    timer_.stop();
    const Result<double> r = dial_.ReadDial();
    if (!r) {
        failed_ = true;
        dial_.ReportDialFailure(r.error());
        reject();
        return;
    }
    rdial_->setText(FormatNumber(*r, u"##0.0"));
    if (isVisible()) {
        timer_.start();
    }
}

void CheckEncoder(RdialSource& dial, Sounds& sounds, QWidget* parent) {
    {
        EncoderCheckScreen zero(EncoderCheckScreen::Kind::Zero, dial, sounds, parent);
        zero.exec();
        if (zero.Failed()) {
            return;
        }
    }
    EncoderCheckScreen span(EncoderCheckScreen::Kind::Span, dial, sounds, parent);
    span.exec();
}

} // namespace quillon
