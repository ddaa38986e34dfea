// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InfoScreens.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {

void AddValues(QGridLayout* grid, const QList<LabelledValue>& lines, const QString& prefix,
               QWidget* parent) {
    int row = 0;
    for (const LabelledValue& line : lines) {
        grid->addWidget(new QLabel(line.label, parent), row, 0);
        grid->addWidget(NamedLabel(prefix + QString::number(row), line.value, parent), row, 1);
        ++row;
    }
}

} // namespace

OperParamScreen::OperParamScreen(QWidget* parent) : SpaceOrEscapeDialog(parent) {
    setObjectName(QStringLiteral("OperParam"));
    setWindowTitle(QStringLiteral("Station and Instrument Parameters"));
}

void OperParamScreen::Fill(const QList<LabelledValue>& stationLines,
                           const QList<LabelledValue>& instrumentLines) {
    delete layout();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    auto* layout = new QVBoxLayout(this);
    auto* menuBar = new QMenuBar(this);
    QMenu* change = menuBar->addMenu(QStringLiteral("&Change"));
    QMenu* station = change->addMenu(QStringLiteral("Station Parameters"));
    for (const char* entry :
         {"Name", "Code", "Latitude", "Longitude", "Altitude", "Mean Stn Pressure",
          "Time Difference", "Earth Radius", "O3 Layer", "WMO Number"}) {
        station->addAction(QString::fromLatin1(entry));
    }
    QMenu* instrument = change->addMenu(QStringLiteral("Instrument"));
    for (const char* entry :
         {"Number", "Q Settings @ 15 degs", "Temp. Coeff", "Q table Date", "Lamp Adjustments"}) {
        instrument->addAction(QString::fromLatin1(entry));
    }
    change->setEnabled(false);
    layout->setMenuBar(menuBar);

    auto* stationFrame = new QGroupBox(QStringLiteral("Station Parameters"), this);
    auto* stationGrid = new QGridLayout(stationFrame);
    AddValues(stationGrid, stationLines, QStringLiteral("lblStation"), stationFrame);
    auto* instrumentFrame = new QGroupBox(QStringLiteral("Instrument Parameters"), this);
    auto* instrumentGrid = new QGridLayout(instrumentFrame);
    AddValues(instrumentGrid, instrumentLines, QStringLiteral("lblInstrument"), instrumentFrame);
    layout->addWidget(stationFrame);
    layout->addWidget(instrumentFrame);
    auto* exit = new QPushButton(QStringLiteral("Space Bar or ESC to exit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(exit);
    adjustSize();
    CentreOnScreen(this);
}

ProginfoScreen::ProginfoScreen(const QList<LabelledValue>& lines, QWidget* parent)
    : SpaceOrEscapeDialog(parent) {
    setObjectName(QStringLiteral("Proginfo"));
    setWindowTitle(QStringLiteral("Program Parameters for Dobson Driver Program"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    AddValues(grid, lines, QStringLiteral("lblInfo"), this);
    layout->addLayout(grid);
    auto* exit = new QPushButton(QStringLiteral("Space Bar or ESC to Exit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(exit);
    adjustSize();
    CentreOnScreen(this);
}

LampOverDueDialog::LampOverDueDialog(const QString& standardDays, const QString& mercuryDays,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("LampOverDue"));
    setWindowTitle(QStringLiteral("The system is overdue for a calibration check."));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Days since a Standard lamp test:"), this), 0, 0);
    layout->addWidget(NamedLabel(QStringLiteral("lblStdDays"), standardDays, this), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Days since a Mercury lamp test:"), this), 1, 0);
    layout->addWidget(NamedLabel(QStringLiteral("lblHgDays"), mercuryDays, this), 1, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("Tests are normally done on or after the last observing day of "
                                  "the month."),
                   this),
        2, 0, 1, 2);
    auto* hint = new QLabel(
        QStringLiteral("To stop this message from appearing, perform both a mercury and standard "
                       "lamp test.  These are selected under the Maintenance menu in the Top "
                       "Level."),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint, 3, 0, 1, 2);
    auto* next = new QPushButton(QStringLiteral("Continue"), this);
    next->setObjectName(QStringLiteral("cmmdContinue"));
    layout->addWidget(next, 4, 0, 1, 2);
    timer_.setParent(this);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(10000);
    timer_.setSingleShot(true);
    auto close = [this] {
        timer_.stop();
        accept();
    };
    connect(next, &QPushButton::clicked, this, close);
    connect(&timer_, &QTimer::timeout, this, close);
    timer_.start();
    adjustSize();
    CentreOnScreen(this);
}

} // namespace quillon
