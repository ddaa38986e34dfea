// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/QualityWindow.h"

#include "observe/QualityFlags.h"
#include "util/Format.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillon {

QualityWindow::QualityWindow(Services& services, QWidget* parent) : QDialog(parent), s_(services) {
    setObjectName(QStringLiteral("Quality"));
    setWindowTitle(QStringLiteral("Quality of a day"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    auto* label = new QLabel(QStringLiteral("&Local date (MM/DD/YYYY):"), this);
    date_ =
        new QLineEdit(FormatDate(LocalStandardTime(s_.setup, s_.clock.Now()), u"MM/DD/YYYY"), this);
    date_->setObjectName(QStringLiteral("txtDate"));
    label->setBuddy(date_);
    auto* show = new QPushButton(QStringLiteral("&Show"), this);
    show->setObjectName(QStringLiteral("cmmdShow"));
    show->setDefault(true); // Enter in the date shows it
    connect(show, &QPushButton::clicked, this, &QualityWindow::ShowTypedDate);
    row->addWidget(label);
    row->addWidget(date_);
    row->addWidget(show);
    layout->addLayout(row);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblQualityMessage"));
    message_->setWordWrap(true);
    layout->addWidget(message_);
    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("tblQuality"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Type"),
                                       QStringLiteral("Mu"), QStringLiteral("Ozone"),
                                       QStringLiteral("Flags")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    layout->addWidget(table_);
    auto* exit = new QPushButton(QStringLiteral("e&Xit or Escape"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(exit);
    resize(760, 420);
    date_->setFocus();
    ShowTypedDate();
}

void QualityWindow::ShowTypedDate() {
    table_->setRowCount(0);
    DateTimeValue date = 0;
    if (!ParseMdy(date_->text(), &date)) {
        message_->setText(date_->text() + QStringLiteral(" is not a date of the form MM/DD/YYYY."));
        return;
    }
    const Result<DayQuality> quality =
        ReadDayQuality(s_.setup, s_.calibration, s_.setup.DataDir, date);
    if (!quality) {
        message_->setText(quality.error().message);
        return;
    }
    int flagged = 0;
    for (const FlaggedObservation& f : quality->observations) {
        const DayObservation& obs = f.observation;
        const int r = table_->rowCount();
        table_->insertRow(r);
        QStringList flags;
        for (const QualityFlag& flag : f.flags) {
            flags << flag.name + QStringLiteral(": ") + flag.reason;
        }
        const QString cells[5] = {
            obs.time.mid(0, 2) + u':' + obs.time.mid(2, 2) + u':' + obs.time.mid(4, 2), obs.type,
            FormatNumber(obs.values[4], u"0.000"), FormatNumber(obs.values[5], u"0.0"),
            flags.join(QStringLiteral("; "))};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (!f.flags.isEmpty()) {
                item->setBackground(QColor(255, 220, 220)); // a flagged row, marked
            }
            table_->setItem(r, c, item);
        }
        flagged += f.flags.isEmpty() ? 0 : 1;
    }
    QStringList lines = {QStringLiteral("%1 observation(s), %2 flagged.")
                             .arg(quality->observations.size())
                             .arg(flagged)};
    lines << quality->problems;
    message_->setText(lines.join(u'\n'));
    table_->resizeColumnsToContents();
}

} // namespace quillon
