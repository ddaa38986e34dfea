// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EncoderCheckScreen.h"

#include "instrument/EncoderCheckText.h"
#include "util/Format.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

EncoderCheckScreen::EncoderCheckScreen(Kind kind, Services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
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
            services_.encoder.ResetEncoder();
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
    services_.sounds.PlayAttention();
}

void EncoderCheckScreen::Refresh() {
    timer_.stop();
    const Result<double> r = services_.encoder.ReadEncoder(0.5);
    if (!r) {
        failed_ = true;
        services_.encoder.ReportFailure(r.error());
        reject();
        return;
    }
    rdial_->setText(FormatNumber(*r, u"##0.0"));
    if (isVisible()) {
        timer_.start();
    }
}

void CheckEncoder(Services& services, QWidget* parent) {
    {
        EncoderCheckScreen zero(EncoderCheckScreen::Kind::Zero, services, parent);
        zero.exec();
        if (zero.Failed()) {
            return;
        }
    }
    EncoderCheckScreen span(EncoderCheckScreen::Kind::Span, services, parent);
    span.exec();
}

} // namespace quillon
