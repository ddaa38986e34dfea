// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/screens/PlotsWindow.h"

#include "observe/QualityFlags.h"
#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/PlotData.h"
#include "util/Format.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

namespace quillon {

namespace {

qreal Msecs(double dayCount) {
    return static_cast<qreal>(ToQDateTime(dayCount).toMSecsSinceEpoch());
}

QWidget* Tab(QChartView* view, QWidget* extra, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    if (extra) {
        layout->addWidget(extra);
    }
    layout->addWidget(view);
    auto* save = new QPushButton(QStringLiteral("Save as PNG\u2026"), page);
    save->setObjectName(QStringLiteral("cmmdSavePng"));
    QObject::connect(save, &QPushButton::clicked, page, [view, page] {
        const QString path = QFileDialog::getSaveFileName(page, QStringLiteral("Save as PNG"),
                                                          QString(), QStringLiteral("PNG (*.png)"));
        if (!path.isEmpty()) {
            PlotsWindow::SavePng(view, path);
        }
    });
    layout->addWidget(save);
    return page;
}

QDateTimeAxis* DateAxis(QChart* chart) {
    auto* axis = new QDateTimeAxis(chart);
    axis->setFormat(QStringLiteral("dd MMM yyyy"));
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

} // namespace

PlotsWindow::PlotsWindow(Services& services, QWidget* parent) : QDialog(parent), s_(services) {
    setObjectName(QStringLiteral("Plots"));
    setWindowTitle(QStringLiteral("Plots"));
    resize(900, 600);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    dayView_ = new QChartView(new QChart(), this);
    hgView_ = new QChartView(new QChart(), this);
    lampView_ = new QChartView(new QChart(), this);
    for (QChartView* view : {dayView_, hgView_, lampView_}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(640, 400);
    }
    days_ = new QComboBox(this);
    days_->setObjectName(QStringLiteral("cmbDays"));
    const QString today = DayFileName(s_.setup, LocalStandardTime(s_.setup, s_.clock.Now()));
    days_->addItem(today);
    for (const DayFileEntry& entry :
         ListDayFiles(s_.setup.DataDir, DayFileExtension(s_.setup), s_.setup.StationName).entries) {
        if (entry.name != today) {
            days_->addItem(entry.name);
        }
    }
    connect(days_, &QComboBox::currentTextChanged, this, &PlotsWindow::ShowDay);
    tabs_->addTab(Tab(dayView_, days_, this), QStringLiteral("Day"));
    tabs_->addTab(Tab(hgView_, nullptr, this), QStringLiteral("Mercury lamp"));
    tabs_->addTab(Tab(lampView_, nullptr, this), QStringLiteral("Standard lamp"));
    ShowDay(today);
    ShowHg();
    ShowLamp();
}

bool PlotsWindow::SavePng(QChartView* view, const QString& path) {
    return view->grab().save(path, "PNG");
}

namespace {

// Each class its own colour and marker: the error bars and the mean lines
// between the series would otherwise let the chart's colour cycle give two
// classes the same colour.
struct ClassLook {
    QColor colour;
    QScatterSeries::MarkerShape marker;
};
const ClassLook kLooks[4] = {
    {QColor(31, 119, 180), QScatterSeries::MarkerShapeCircle},           // ADDS
    {QColor(214, 39, 40), QScatterSeries::MarkerShapeRectangle},         // CDDS
    {QColor(44, 160, 44), QScatterSeries::MarkerShapeTriangle},          // AD zenith
    {QColor(148, 103, 189), QScatterSeries::MarkerShapeRotatedRectangle} // CD zenith
};

using Flagged = QMap<std::pair<int, QString>, QString>;

// A class's points: unflagged ones filled, flagged ones hollow in the same
// colour, their reasons in the tooltip. An empty series stays out of the
// legend.
void AddClassPoints(QChart* chart, int c, const QList<OzonePoint>& points, const Flagged& flagged,
                    QValueAxis* time, QValueAxis* ozone) {
    auto* series = new QScatterSeries(chart);
    series->setName(QString::fromLatin1(DayPlot::ClassName(c)));
    auto* hollow = new QScatterSeries(chart);
    hollow->setName(QString::fromLatin1(DayPlot::ClassName(c)) +
                    QStringLiteral(" flagged (hollow)"));
    for (QScatterSeries* s : {series, hollow}) {
        s->setMarkerSize(9);
        s->setColor(kLooks[c].colour);
        s->setBorderColor(kLooks[c].colour);
        s->setMarkerShape(kLooks[c].marker);
    }
    hollow->setBrush(Qt::NoBrush);
    hollow->setPen(QPen(kLooks[c].colour, 2));
    QMap<qreal, QString> reasons; // by the point's hour
    for (const OzonePoint& p : points) {
        const QString why = flagged.value(std::make_pair(c, p.time));
        (why.isEmpty() ? series : hollow)->append(p.lstHours, p.ozone);
        if (!why.isEmpty()) {
            reasons.insert(p.lstHours, why);
        }
    }
    QObject::connect(hollow, &QScatterSeries::hovered, chart,
                     [reasons](const QPointF& at, bool on) {
                         if (on) {
                             QToolTip::showText(QCursor::pos(), reasons.value(at.x()));
                         }
                     });
    for (QScatterSeries* s : {series, hollow}) {
        if (s->count() == 0) {
            delete s;
            continue;
        }
        chart->addSeries(s);
        s->attachAxis(time);
        s->attachAxis(ozone);
    }
}

// Each point's spread as an error bar, and the class mean as a dashed line.
void AddSpreadsAndMean(QChart* chart, int c, const QList<OzonePoint>& points, double mean,
                       QValueAxis* time, QValueAxis* ozone) {
    for (const OzonePoint& p : points) {
        auto* bar = new QLineSeries(chart);
        bar->append(p.lstHours, p.ozone - p.spread);
        bar->append(p.lstHours, p.ozone + p.spread);
        bar->setColor(kLooks[c].colour);
        chart->addSeries(bar);
        bar->attachAxis(time);
        bar->attachAxis(ozone);
    }
    auto* line = new QLineSeries(chart);
    line->append(0, mean);
    line->append(24, mean);
    QPen pen(kLooks[c].colour);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    chart->addSeries(line);
    line->attachAxis(time);
    line->attachAxis(ozone);
}

} // namespace

void PlotsWindow::ShowDay(const QString& dayFile) {
    auto* chart = new QChart();
    const DayPlot plot = DayPlotOfFile(s_.setup.DataDir + dayFile, s_.setup.StationName);
    auto* time = new QValueAxis(chart);
    time->setTitleText(QStringLiteral("Local standard time (hours)"));
    time->setRange(0, 24);
    auto* ozone = new QValueAxis(chart);
    ozone->setTitleText(QStringLiteral("Ozone (DU)"));
    auto* mu = new QValueAxis(chart);
    mu->setTitleText(QStringLiteral("mu"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(ozone, Qt::AlignLeft);
    chart->addAxis(mu, Qt::AlignRight);
    Flagged flagged;
    if (const Result<DayQuality> quality =
            ReadDayQuality(s_.setup, s_.calibration, s_.setup.DataDir, plot.date)) {
        flagged = FlaggedPlotPoints(*quality);
    }
    double low = 1e9;
    double high = -1e9;
    QList<OzonePoint> all;
    for (int c = 0; c < 4; ++c) {
        const auto& points = plot.classes[static_cast<size_t>(c)];
        if (points.isEmpty()) {
            continue;
        }
        AddClassPoints(chart, c, points, flagged, time, ozone);
        AddSpreadsAndMean(chart, c, points, plot.means[static_cast<size_t>(c)], time, ozone);
        for (const OzonePoint& p : points) {
            low = std::min(low, p.ozone - p.spread);
            high = std::max(high, p.ozone + p.spread);
            all << p;
        }
    }
    std::sort(all.begin(), all.end(),
              [](const OzonePoint& a, const OzonePoint& b) { return a.lstHours < b.lstHours; });
    auto* muSeries = new QLineSeries(chart);
    muSeries->setName(QStringLiteral("mu"));
    for (const OzonePoint& p : all) {
        muSeries->append(p.lstHours, p.mu);
    }
    chart->addSeries(muSeries);
    muSeries->attachAxis(time);
    muSeries->attachAxis(mu);
    if (all.isEmpty()) {
        chart->setTitle(QStringLiteral("No observations with ozone in ") + dayFile);
        ozone->setRange(200, 400);
    } else {
        chart->setTitle(QStringLiteral("Ozone of ") + dayFile);
        ozone->setRange(std::floor(low / 10.0) * 10.0 - 10.0, std::ceil(high / 10.0) * 10.0 + 10.0);
    }
    // Only the classes and mu in the legend.
    for (QLegendMarker* marker : chart->legend()->markers()) {
        marker->setVisible(!marker->label().isEmpty());
    }
    QChart* old = dayView_->chart();
    dayView_->setChart(chart);
    delete old;
}

void PlotsWindow::ShowHg() {
    auto* chart = new QChart();
    const QString path = s_.setup.HistoryDir + QStringLiteral("hghist.") + s_.setup.InstrumentId;
    const QList<HgPoint> points = HgHistoryPoints(path);
    auto* dates = DateAxis(chart);
    auto* diff = new QValueAxis(chart);
    diff->setTitleText(QStringLiteral("Test minus table"));
    diff->setRange(-1.0, 1.0);
    chart->addAxis(diff, Qt::AlignLeft);
    if (points.isEmpty()) {
        chart->setTitle(QStringLiteral("No mercury test history yet (") + path + u')');
        const double now = s_.clock.Now();
        dates->setRange(ToQDateTime(now - 30), ToQDateTime(now));
    } else {
        chart->setTitle(QStringLiteral("Mercury lamp tests"));
        const double first = points.first().date;
        const double last = points.last().date;
        dates->setRange(ToQDateTime(first - 1), ToQDateTime(last + 1));
        // The ±0.3 band, shaded.
        auto* upper = new QLineSeries(chart);
        auto* lower = new QLineSeries(chart);
        upper->append(Msecs(first - 1), 0.3);
        upper->append(Msecs(last + 1), 0.3);
        lower->append(Msecs(first - 1), -0.3);
        lower->append(Msecs(last + 1), -0.3);
        auto* band = new QAreaSeries(upper, lower);
        band->setName(QStringLiteral("\u00b10.3"));
        band->setColor(QColor(120, 200, 120, 80));
        band->setBorderColor(QColor(120, 200, 120));
        chart->addSeries(band);
        band->attachAxis(dates);
        band->attachAxis(diff);
        auto* inside = new QScatterSeries(chart);
        inside->setName(QStringLiteral("within"));
        auto* outside = new QScatterSeries(chart);
        outside->setName(QStringLiteral("outside"));
        outside->setColor(Qt::red);
        for (const HgPoint& p : points) {
            (p.outOfBand ? outside : inside)->append(Msecs(p.date), p.difference);
            diff->setRange(std::min(diff->min(), p.difference - 0.2),
                           std::max(diff->max(), p.difference + 0.2));
        }
        for (QScatterSeries* s : {inside, outside}) {
            chart->addSeries(s);
            s->attachAxis(dates);
            s->attachAxis(diff);
        }
    }
    QChart* old = hgView_->chart();
    hgView_->setChart(chart);
    delete old;
}

void PlotsWindow::ShowLamp() {
    auto* chart = new QChart();
    const QString path = s_.setup.HistoryDir + QStringLiteral("lamphist.") + s_.setup.InstrumentId;
    const QList<LampPoint> points = LampHistoryPoints(path);
    auto* dates = DateAxis(chart);
    auto* r = new QValueAxis(chart);
    r->setTitleText(QStringLiteral("R-dial average"));
    chart->addAxis(r, Qt::AlignLeft);
    if (points.isEmpty()) {
        chart->setTitle(QStringLiteral("No standard lamp history yet (") + path + u')');
        const double now = s_.clock.Now();
        dates->setRange(ToQDateTime(now - 30), ToQDateTime(now));
        r->setRange(0, 300);
    } else {
        chart->setTitle(QStringLiteral("Standard lamp tests"));
        dates->setRange(ToQDateTime(points.first().date - 1), ToQDateTime(points.last().date + 1));
        const char* names[4] = {"A", "C", "C'", "D"};
        double low = 1e9;
        double high = -1e9;
        for (int w = 0; w < 4; ++w) {
            auto* series = new QLineSeries(chart);
            series->setName(QString::fromLatin1(names[w]));
            series->setPointsVisible(true);
            for (const LampPoint& p : points) {
                const double v = p.averages[static_cast<size_t>(w)];
                series->append(Msecs(p.date), v);
                low = std::min(low, v);
                high = std::max(high, v);
            }
            chart->addSeries(series);
            series->attachAxis(dates);
            series->attachAxis(r);
        }
        r->setRange(low - 5, high + 5);
        // The test the corrections in use came from.
        DateTimeValue corrected = 0;
        if (ParseMdy(s_.calibration.LampCorrDate, &corrected)) {
            auto* change = new QScatterSeries(chart);
            change->setName(QStringLiteral("corrections from this test"));
            change->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            change->setMarkerSize(14);
            for (const LampPoint& p : points) {
                if (std::floor(p.date) == corrected) {
                    change->append(Msecs(p.date), p.averages[0]);
                }
            }
            chart->addSeries(change);
            change->attachAxis(dates);
            change->attachAxis(r);
        }
    }
    QChart* old = lampView_->chart();
    lampView_->setChart(chart);
    delete old;
}

} // namespace quillon
