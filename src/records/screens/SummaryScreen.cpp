// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/screens/SummaryScreen.h"

#include "records/DayFile.h"
#include "records/DaySummary.h"
#include "sound/Play.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

SummaryScreen::SummaryScreen(const StationSetup& setup, const DayState& day, const Clock& clock,
                             OperatorMessages& messages, Sounds* sounds, QWidget* parent)
    : QDialog(parent), setup_(setup), day_(day), clock_(clock), messages_(messages),
      sounds_(sounds) {
    setObjectName(QStringLiteral("Summary"));
    setWindowTitle(QStringLiteral("Summary of ozone observations for a day"));
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("lblCaption"));
    layout->addWidget(caption_);
    auto* station = new QLabel(setup.StationName, this);
    station->setObjectName(QStringLiteral("lblStation"));
    layout->addWidget(station);
    for (int i = 0; i < 4; ++i) {
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(QStringLiteral("lblSummary%1").arg(i));
        layout->addWidget(lines_[i]);
    }
    auto* make = new QPushButton(QStringLiteral("Space bar to make summary File"), this);
    make->setObjectName(QStringLiteral("cmmdMakeFile"));
    connect(make, &QPushButton::clicked, this, &SummaryScreen::MakeSummaryFile);
    layout->addWidget(make);
    layout->addWidget(new QLabel(QStringLiteral("The Summary File will be named:"), this));
    fileName_ = new QLabel(this);
    fileName_->setObjectName(QStringLiteral("lblFileName"));
    layout->addWidget(fileName_);
    auto* exit = new QPushButton(QStringLiteral("e&Xit or Escape"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    exit->setAutoDefault(false);
    make->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(exit);
}

void SummaryScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (sounds_) {
        sounds_->PlayInfoCue();
    }
}

void SummaryScreen::ShowDay(const QString& dateText, const QString& caption) {
    dateText_ = dateText;
    caption_->setText(caption);
    SummaryTexts texts;
    texts.cdZenith = day_.SummaryCDZenith;
    SumToDay(setup_, clock_, dateText, SummaryDetail::Full, setup_.DataDir, texts, messages_);
    const QString values[4] = {texts.adds, texts.adZenith, texts.cdds, texts.cdZenith};
    for (int i = 0; i < 4; ++i) {
        lines_[i]->setText(values[i]);
    }
    DateTimeValue date = 0;
    if (ParseMdy(dateText, &date)) {
        fileName_->setText(DayFilePath(setup_, date, u'S'));
    }
}

void SummaryScreen::MakeSummaryFile() {
    SummaryTexts texts;
    texts.cdZenith = day_.SummaryCDZenith;
    SumToDay(setup_, clock_, dateText_, SummaryDetail::WithFile, setup_.DataDir, texts, messages_);
}

void SummaryScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        MakeSummaryFile();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillon
