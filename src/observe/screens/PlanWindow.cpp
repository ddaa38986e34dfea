// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/screens/PlanWindow.h"

#include "astro/AstroFunctions.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace quillon {

namespace {
// The chart shows mu up to here: beyond it the sun is too low for any
// observation but the moon's, and the curve would flatten everything else.
constexpr double kMuShown = 6.0;

QColor RangeColour(int range) {
    static const QColor colours[9] = {
        QColor(90, 90, 120),   QColor(150, 130, 200), QColor(120, 170, 230),
        QColor(110, 200, 200), QColor(120, 210, 140), QColor(190, 220, 110),
        QColor(240, 210, 100), QColor(240, 160, 90),  QColor(230, 110, 100)};
    return colours[std::clamp(range, 1, 9) - 1];
}

double Hours(int seconds) {
    return seconds / 3600.0;
}
} // namespace

PlanWindow::PlanWindow(Services& services, QWidget* parent) : QDialog(parent), s_(services) {
    setObjectName(QStringLiteral("Plan"));
    setWindowTitle(QStringLiteral("Today's Plan"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* dateLabel = new QLabel(QStringLiteral("&Date (local standard time):"), this);
    dateEdit_ = new QDateEdit(this);
    dateEdit_->setObjectName(QStringLiteral("dateEdit"));
    dateEdit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dateEdit_->setCalendarPopup(true);
    dateLabel->setBuddy(dateEdit_);
    top->addWidget(dateLabel);
    top->addWidget(dateEdit_);
    noon_ = NamedLabel(QStringLiteral("lblNoon"), QString(), this);
    top->addWidget(noon_, 1);
    layout->addLayout(top);

    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("tblPlan"));
    table_->setHorizontalHeaderLabels({QStringLiteral("From"), QStringLiteral("To"),
                                       QStringLiteral("Range"),
                                       QStringLiteral("Observations the sun allows")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The table beside the two charts: every interval of the day in view at
    // once, and all three parts on a 1280 x 800 screen.
    auto* parts = new QHBoxLayout();
    parts->addWidget(table_, 2);
    auto* charts = new QVBoxLayout();
    muView_ = new QChartView(this);
    muView_->setObjectName(QStringLiteral("chartMu"));
    muView_->setRenderHint(QPainter::Antialiasing);
    muView_->setMinimumSize(560, 260);
    charts->addWidget(muView_);
    timelineView_ = new QChartView(this);
    timelineView_->setObjectName(QStringLiteral("chartTimeline"));
    timelineView_->setMinimumSize(560, 300);
    charts->addWidget(timelineView_);
    parts->addLayout(charts, 3);
    layout->addLayout(parts);

    auto* exit = new QPushButton(QStringLiteral("e&Xit (Esc)"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(exit);

    connect(dateEdit_, &QDateEdit::dateChanged, this, [this](QDate d) {
        const DateTimeValue day = DateSerial(d.year(), d.month(), d.day());
        if (day != date_) {
            ShowDate(day);
        }
    });
    timer_.setObjectName(QStringLiteral("Timer1"));
    connect(&timer_, &QTimer::timeout, this, &PlanWindow::Tick);
    timer_.start(1000);
    ShowDate(std::floor(LocalStandardTime(s_.setup, s_.clock.Now())));
    resize(1240, 720);
}

int PlanWindow::NowSecond() const {
    return PlanSecondNow(s_.setup, date_, s_.clock.Now());
}

void PlanWindow::ShowDate(DateTimeValue localDate) {
    date_ = localDate;
    const QDate shown = QDate::fromString(FormatDate(localDate, u"YYYY-MM-DD"), Qt::ISODate);
    if (dateEdit_->date() != shown) {
        dateEdit_->setDate(shown);
    }
    plan_ = PlanDay(s_.setup, localDate);
    table_->setRowCount(static_cast<int>(plan_.intervals.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const PlanInterval& in = plan_.intervals[row];
        const QStringList cells = {
            PlanClock(in.startSecond), PlanClock(in.endSecond), QString::number(in.range),
            in.entries.isEmpty() ? QStringLiteral("none") : in.entries.join(QStringLiteral(", "))};
        for (int column = 0; column < 4; ++column) {
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    // Tall enough for every interval: none scrolled out of sight.
    int height = table_->horizontalHeader()->height() + 2 * table_->frameWidth();
    for (int row = 0; row < table_->rowCount(); ++row) {
        height += table_->rowHeight(row);
    }
    table_->setMinimumHeight(height);
    noon_->setText(QStringLiteral("Solar noon ") + PlanClock(plan_.solarNoonSecond) +
                   QStringLiteral(", lowest mu ") + FormatNumber(plan_.lowestMu, u"#0.000"));
    currentRow_ = -2; // redrawn by the tick
    BuildMuChart();
    BuildTimeline();
    Tick();
}

void PlanWindow::Tick() {
    const int now = NowSecond();
    const int row = now < 0 ? -1 : PlanIntervalAt(plan_, now);
    if (row != currentRow_) {
        currentRow_ = row;
        for (int r = 0; r < table_->rowCount(); ++r) {
            for (int c = 0; c < table_->columnCount(); ++c) {
                QTableWidgetItem* item = table_->item(r, c);
                QFont font = item->font();
                font.setBold(r == row);
                item->setFont(font);
                item->setBackground(r == row ? QBrush(QColor(255, 236, 150)) : QBrush());
            }
        }
        if (row >= 0) {
            table_->scrollToItem(table_->item(row, 0));
        }
    }
    // The line at now, on the mu chart.
    if (QChart* chart = muView_->chart()) {
        for (QAbstractSeries* series : chart->series()) {
            if (series->objectName() == QLatin1String("now")) {
                auto* line = static_cast<QLineSeries*>(series);
                line->clear();
                if (now >= 0) {
                    line->append(Hours(now), 0);
                    line->append(Hours(now), kMuShown);
                }
            }
        }
    }
}

void PlanWindow::BuildMuChart() {
    auto* chart = new QChart();
    chart->setTitle(QStringLiteral("mu through the day, ") + FormatDate(date_, u"YYYY-MM-DD") +
                    QStringLiteral(" (local standard time)"));
    auto* time = new QValueAxis(chart);
    time->setRange(0, 24);
    time->setTickCount(13);
    time->setLabelFormat(QStringLiteral("%d"));
    time->setTitleText(QStringLiteral("hour"));
    auto* mu = new QValueAxis(chart);
    mu->setRange(0, kMuShown);
    mu->setTitleText(QStringLiteral("mu"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(mu, Qt::AlignLeft);
    // Each interval as a band in its range's colour.
    for (const PlanInterval& in : plan_.intervals) {
        auto* upper = new QLineSeries(chart);
        upper->append(Hours(in.startSecond), kMuShown);
        upper->append(Hours(in.endSecond), kMuShown);
        auto* band = new QAreaSeries(upper);
        band->setName(QStringLiteral("range %1").arg(in.range));
        QColor colour = RangeColour(in.range);
        colour.setAlpha(70);
        band->setBrush(colour);
        band->setPen(Qt::NoPen);
        chart->addSeries(band);
        band->attachAxis(time);
        band->attachAxis(mu);
    }
    auto* curve = new QLineSeries(chart);
    curve->setName(QStringLiteral("mu"));
    for (const MuPoint& point : MuThroughTheDay(s_.setup, date_, 300, kMuShown)) {
        curve->append(Hours(point.second), point.mu);
    }
    chart->addSeries(curve);
    curve->attachAxis(time);
    curve->attachAxis(mu);
    auto* now = new QLineSeries(chart);
    now->setObjectName(QStringLiteral("now"));
    now->setName(QStringLiteral("now"));
    QPen pen(Qt::red);
    pen.setWidth(2);
    now->setPen(pen);
    chart->addSeries(now);
    now->attachAxis(time);
    now->attachAxis(mu);
    chart->legend()->setVisible(false);
    QChart* old = muView_->chart();
    muView_->setChart(chart);
    delete old;
}

void PlanWindow::BuildTimeline() {
    auto* chart = new QChart();
    chart->setTitle(QStringLiteral("When each observation can be made"));
    const QList<TypeWindows> types = PlanTypeWindows(plan_);
    auto* time = new QValueAxis(chart);
    time->setRange(0, 24);
    time->setTickCount(13);
    time->setLabelFormat(QStringLiteral("%d"));
    // Each type on its own row, named on the axis: no legend to decode.
    auto* rows = new QCategoryAxis(chart);
    rows->setObjectName(QStringLiteral("typeAxis"));
    rows->setRange(-0.5, std::max<qsizetype>(1, types.size()) - 0.5);
    rows->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    rows->setGridLineVisible(false);
    // From the bottom row up: the axis takes its values in rising order.
    for (qsizetype i = types.size() - 1; i >= 0; --i) {
        rows->append(types[i].type, static_cast<double>(types.size() - 1 - i));
    }
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(rows, Qt::AlignLeft);
    for (qsizetype i = 0; i < types.size(); ++i) {
        const double y = static_cast<double>(types.size() - 1 - i);
        for (const auto& [start, end] : types[i].windows) {
            auto* bar = new QLineSeries(chart);
            bar->setName(types[i].type);
            QPen pen(RangeColour(static_cast<int>(i % 9) + 1).darker(130));
            pen.setWidth(10);
            pen.setCapStyle(Qt::FlatCap);
            bar->setPen(pen);
            bar->append(Hours(start), y);
            bar->append(Hours(end), y);
            chart->addSeries(bar);
            bar->attachAxis(time);
            bar->attachAxis(rows);
        }
    }
    chart->legend()->setVisible(false);
    QChart* old = timelineView_->chart();
    timelineView_->setChart(chart);
    delete old;
}

} // namespace quillon
