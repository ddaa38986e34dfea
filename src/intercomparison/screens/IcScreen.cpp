// SPDX-License-Identifier: GPL-3.0-or-later
#include "intercomparison/screens/IcScreen.h"

#include "astro/AstroFunctions.h"
#include "records/DayFile.h"
#include "ui/EntryScreens.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quillon {

namespace {
QLabel* Framed(const QString& name, const QString& caption, QWidget* parent, QGridLayout* grid,
               int row, int column) {
    auto* frame = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(frame);
    QLabel* label = NamedLabel(name, QString(), frame);
    layout->addWidget(label);
    grid->addWidget(frame, row, column);
    return label;
}
} // namespace

IcScreen::IcScreen(Services& services, QWidget* parent)
    : QDialog(parent), s_(services), gauge_(this), series_(services, *this) {
    setObjectName(QStringLiteral("IC"));
    gauge_.PlaceBeside(this);
    setWindowTitle(QStringLiteral("CDA Series"));
    auto* layout = new QVBoxLayout(this);
    QMenuBar* bar = BuildMenuBar();
    layout->setMenuBar(bar);
    BuildDisplays(layout);
    BuildButtons(layout);
    StartTimers();
    // Wide enough for every menu of the bar, the one-second shifts last.
    setMinimumWidth(bar->sizeHint().width() + 40);
}

QMenuBar* IcScreen::BuildMenuBar() {
    auto* bar = new QMenuBar(this);
    QAction* comment = bar->addAction(QStringLiteral("&Comment"));
    comment->setObjectName(QStringLiteral("mnuComment"));
    connect(comment, &QAction::triggered, this, &IcScreen::OpenComment);
    QMenu* sky = bar->addMenu(QStringLiteral("&Sky conditions"));
    sky->setObjectName(QStringLiteral("mmnConditions"));
    for (const auto& [caption, code] :
         {std::pair{"&Clear", "C "}, std::pair{"&Hazy", "H "}, std::pair{"&Very Hazy", "VH"}}) {
        const QString value = QString::fromLatin1(code);
        connect(sky->addAction(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, value] {
                    series_.settings.sky = value;
                    SettingsChanged();
                });
    }
    QMenu* special = bar->addMenu(QStringLiteral("s&Pecial Conditions"));
    special->setObjectName(QStringLiteral("mmnS_Conds"));
    for (const auto& [caption, code] :
         {std::pair{"&Smog", "SMOG "}, std::pair{"&Dust", "DUST "}, std::pair{"smo&Ke", "SMOKE"},
          std::pair{"&Fog", "FOG  "}, std::pair{"&None", "     "}}) {
        const QString value = QString::fromLatin1(code);
        connect(special->addAction(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, value] {
                    series_.settings.special = value;
                    SettingsChanged();
                });
    }
    QMenu* timing = bar->addMenu(QStringLiteral("&Timing"));
    timing->setObjectName(QStringLiteral("mmnSpacing"));
    for (const int minutes : {4, 5}) {
        QAction* action = timing->addAction(QStringLiteral("&%1 Minute").arg(minutes));
        action->setObjectName(QStringLiteral("mmnSpacing%1").arg(minutes));
        connect(action, &QAction::triggered, this, [this, minutes] {
            series_.settings.spacingMinutes = minutes;
            SettingsChanged();
        });
    }
    QAction* minus = bar->addAction(QStringLiteral("Minus 1 second"));
    minus->setObjectName(QStringLiteral("mnuMinus1"));
    minus->setShortcut(QKeySequence(Qt::Key_F5));
    connect(minus, &QAction::triggered, this, [this] {
        series_.Shift(-1);
        Tick();
    });
    QAction* plus = bar->addAction(QStringLiteral("Add 1 second"));
    plus->setObjectName(QStringLiteral("mnuPlus1"));
    plus->setShortcut(QKeySequence(Qt::Key_F6));
    connect(plus, &QAction::triggered, this, [this] {
        series_.Shift(1);
        Tick();
    });
    return bar;
}

void IcScreen::BuildDisplays(QVBoxLayout* layout) {
    auto* grid = new QGridLayout();
    next_ = Framed(QStringLiteral("LblNextSetTime"), QStringLiteral("Next:"), this, grid, 0, 0);
    timing_ = Framed(QStringLiteral("lblTiming"), QStringLiteral("Interval"), this, grid, 0, 1);
    sky_ = Framed(QStringLiteral("lblSky"), QStringLiteral("Sky:"), this, grid, 0, 2);
    special_ = Framed(QStringLiteral("lblSpecial"), QStringLiteral("Special"), this, grid, 0, 3);
    lst_ = Framed(QStringLiteral("lblLST"), QStringLiteral("UTC:"), this, grid, 1, 0);
    mu_ = Framed(QStringLiteral("lblMu"), QStringLiteral("Mu:"), this, grid, 1, 1);
    offset_ =
        Framed(QStringLiteral("lblOffset"), QStringLiteral("Partner's clock"), this, grid, 1, 2);
    note_ = NamedLabel(QStringLiteral("lblSettingsNote"), QString(), this);
    grid->addWidget(note_, 1, 3);
    layout->addLayout(grid);
    auto* help = new QLabel(QStringLiteral("F5=-1sec F6=+1sec: every set and every wavelength a "
                                           "second earlier or later, to run on the partner "
                                           "instrument's clock when the two computers' clocks "
                                           "differ by a few seconds."),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* happening = new QGroupBox(QStringLiteral("What's happening?"), this);
    auto* happeningLayout = new QVBoxLayout(happening);
    message_ = NamedLabel(QStringLiteral("lblMsg"), QString(), happening);
    happeningLayout->addWidget(message_);
    layout->addWidget(happening);
    auto* resultsFrame = new QGroupBox(QStringLiteral("Observation Results"), this);
    auto* resultsLayout = new QVBoxLayout(resultsFrame);
    for (int i = 0; i < 14; ++i) {
        results_ << NamedLabel(QStringLiteral("lblSetResult_%1").arg(i), QString(), resultsFrame);
        resultsLayout->addWidget(results_.last());
    }
    layout->addWidget(resultsFrame);
}

void IcScreen::BuildButtons(QVBoxLayout* layout) {
    auto* modes = new QHBoxLayout();
    auto* ds = new QPushButton(QStringLiteral("&DS"), this);
    ds->setObjectName(QStringLiteral("cmdDs"));
    auto* zen = new QPushButton(QStringLiteral("&ZnSky"), this);
    zen->setObjectName(QStringLiteral("cmmdZenSky"));
    go_ = new QPushButton(QStringLiteral("&Go!"), this);
    go_->setObjectName(QStringLiteral("cmmdGo"));
    pause_ = new QPushButton(QStringLiteral("pa&Use"), this);
    pause_->setObjectName(QStringLiteral("CmmdPause"));
    exit_ = new QPushButton(QStringLiteral("e&Xit"), this);
    exit_->setObjectName(QStringLiteral("CmmdExit"));
    for (QPushButton* b : {ds, zen, go_, pause_, exit_}) {
        b->setAutoDefault(false);
        modes->addWidget(b);
    }
    layout->addLayout(modes);
    connect(ds, &QPushButton::clicked, this, [this] {
        series_.settings.directSun = true;
        SettingsChanged();
    });
    connect(zen, &QPushButton::clicked, this, [this] {
        series_.settings.directSun = false;
        SettingsChanged();
    });
    connect(go_, &QPushButton::clicked, this, &IcScreen::Go);
    connect(pause_, &QPushButton::clicked, this, &IcScreen::PauseRun);
    connect(exit_, &QPushButton::clicked, this, &IcScreen::reject);
    pause_->setEnabled(false);
}

void IcScreen::StartTimers() {
    display_.setParent(this); // found by name, as every control
    display_.setObjectName(QStringLiteral("TmrDispInfo"));
    connect(&display_, &QTimer::timeout, this, [this] {
        series_.FollowClock();
        Tick();
    });
    // The clock and mu keep running under every gauge of the series.
    clock_.setParent(this);
    clock_.setObjectName(QStringLiteral("TmrClock"));
    connect(&clock_, &QTimer::timeout, this, &IcScreen::ShowClock);
    clock_.start(1000);
    ShowSettings();
    series_.FollowClock();
    Tick();
    display_.start(1000);
}

void IcScreen::SettingsChanged() {
    ShowSettings();
    if (series_.Running()) {
        note_->setText(QStringLiteral("Changes apply from the next set."));
    }
}

void IcScreen::OpenComment() {
    // Not modal: the series keeps its marks while the operator types. The
    // entry stays open (its text kept) under a gauge, and its record is
    // written when the operator enters it.
    if (comment_) {
        comment_->raise();
        comment_->activateWindow();
        return;
    }
    comment_ = new AddCommentScreen(&s_.sounds, this);
    comment_->setAttribute(Qt::WA_DeleteOnClose);
    comment_->setWindowModality(Qt::NonModal);
    // The entry hands its text to the series and can change nothing else:
    // an escaped or closed entry leaves the series as it was.
    connect(comment_, &AddCommentScreen::Entered, this,
            [this](const QString& text) { series_.AddComment(text); });
    comment_->show();
}

void IcScreen::ShowClock() {
    const DateTimeValue now = s_.clock.Now();
    lst_->setText(FormatDate(now, u"HH:MM:SS"));
    mu_->setText(FormatNumber(SunMu(s_.setup, now), u"##.000;No sun"));
    offset_->setText(QStringLiteral("Offset: ") +
                     FormatNumber(series_.OffsetSeconds(), u"+0;-0;0") + QStringLiteral(" s"));
    next_->setText(FormatDate(series_.NextSetTime(), u"HH:MM:SS"));
}

void IcScreen::ShowSettings() {
    const IcSettings& s = series_.settings;
    timing_->setText(QStringLiteral("%1 Minute").arg(s.spacingMinutes));
    sky_->setText(s.sky == QLatin1String("C ")   ? QStringLiteral("clear")
                  : s.sky == QLatin1String("H ") ? QStringLiteral("hazy")
                                                 : QStringLiteral("Very Hazy"));
    special_->setText(s.special.trimmed().isEmpty() ? QStringLiteral("none") : s.special.trimmed());
    setWindowTitle(QStringLiteral("CDA Series") +
                   (s.directSun ? QStringLiteral(" - DS") : QStringLiteral(" - ZnSky")));
}

void IcScreen::Tick() {
    ShowClock();
    if (!series_.Running()) {
        message_->setText(QStringLiteral("Press Go to start a set recorded at ") +
                          FormatDate(series_.NextSetTime() + 30.0 / 86400.0, u"HH:MM:SS"));
    }
}

void IcScreen::Go() {
    display_.stop();
    go_->setEnabled(false);
    exit_->setEnabled(false);
    pause_->setEnabled(true);
    series_.Go();
    pause_->setEnabled(false);
    go_->setEnabled(true);
    exit_->setEnabled(true);
    display_.start(1000);
}

void IcScreen::PauseRun() {
    series_.Pause();
}

void IcScreen::ShowMessage(const QString& text) {
    message_->setText(text);
    ShowClock();
}

void IcScreen::ShowResultLine(const QString& line) {
    note_->clear(); // the next set takes the settings as they are now
    // The fourteen lines scroll: the newest set last.
    if (resultCount_ < results_.size()) {
        results_[resultCount_++]->setText(line);
        return;
    }
    for (int i = 1; i < results_.size(); ++i) {
        results_[i - 1]->setText(results_[i]->text());
    }
    results_.last()->setText(line);
}

void IcScreen::reject() {
    // Exit only while stopped or paused; a close during a run pauses it.
    if (series_.Running()) {
        series_.Pause();
        return;
    }
    QDialog::reject();
}

} // namespace quillon
