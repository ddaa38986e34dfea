// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/screens/OtherDaysScreens.h"

#include "records/DayFile.h"
#include "records/DayFileList.h"
#include "records/DaySummary.h"
#include "records/OtherDays.h"
#include "ui/ScreenHelpers.h"
#include "util/Format.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace quillon {

namespace {

// "Explanation of process to make summary files.": Space goes on, Escape
// (or the close button) goes back.
bool Explain(QWidget* parent) {
    QDialog screen(parent);
    screen.setObjectName(QStringLiteral("Explain"));
    screen.setWindowTitle(QStringLiteral("Explanation of process to make summary files."));
    WidenToTitle(&screen);
    auto* layout = new QVBoxLayout(&screen);
    for (const char* line : {"You can choose to look at and/or print summaries of existing ",
                             "day files.  The program will allow you to change directories, ",
                             "and preview the files before forming a summary file, which then can "
                             "be printed."}) {
        layout->addWidget(new QLabel(QString::fromLatin1(line), &screen));
    }
    auto* go = new QPushButton(QStringLiteral("Spacebar to Continue"), &screen);
    go->setObjectName(QStringLiteral("cmmdContinue"));
    auto* back = new QPushButton(QStringLiteral("Escape key to return to top level"), &screen);
    back->setObjectName(QStringLiteral("cmmdExit"));
    back->setAutoDefault(false);
    layout->addWidget(go);
    layout->addWidget(back);
    QObject::connect(go, &QPushButton::clicked, &screen, &QDialog::accept);
    QObject::connect(back, &QPushButton::clicked, &screen, &QDialog::reject);
    go->setFocus();
    return screen.exec() == QDialog::Accepted;
}

// The drive and directory chooser. On Linux the "drives" are the mounted
// file systems, the one holding the data directory first.
class ChooserScreen : public QDialog {
public:
    ChooserScreen(const StationSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
        setObjectName(QStringLiteral("ChooseDir"));
        setWindowTitle(QStringLiteral("Looking for Dayfiles for instrument ") + setup.InstrumentId);
        WidenToTitle(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(
            QStringLiteral("Select the drive and directory with the Dobson Day Files"), this));
        layout->addWidget(new QLabel(QStringLiteral("Drive:"), this));
        drives_ = new QComboBox(this);
        drives_->setObjectName(QStringLiteral("Drive1"));
        const QString home = QStorageInfo(setup.DataDir).rootPath();
        drives_->addItem(home);
        for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
            if (volume.isValid() && volume.isReady() && volume.rootPath() != home) {
                drives_->addItem(volume.rootPath());
            }
        }
        layout->addWidget(drives_);
        layout->addWidget(new QLabel(QStringLiteral("Strike Drive letter."), this));
        auto* dirLabel = new QLabel(QStringLiteral("&Directory:"), this);
        dirs_ = new QListWidget(this);
        dirs_->setObjectName(QStringLiteral("Dir1"));
        dirLabel->setBuddy(dirs_);
        layout->addWidget(dirLabel);
        layout->addWidget(dirs_);
        files_ = new QListWidget(this);
        files_->setObjectName(QStringLiteral("File1"));
        layout->addWidget(files_);
        layout->addWidget(new QLabel(QStringLiteral("Current Path:"), this));
        path_ = NamedLabel(QStringLiteral("lblPath"), QString(), this);
        layout->addWidget(path_);
        auto* note = new QLabel(
            QStringLiteral("Chose the drive and directory in which exist the dayfiles you wish to "
                           "look and summarize.  You will be able to review the summary before "
                           "forming a summary file, which then can be printed."),
            this);
        note->setWordWrap(true);
        layout->addWidget(note);
        auto* open = new QPushButton(QStringLiteral("&Open Directory"), this);
        open->setObjectName(QStringLiteral("cmmdOpen"));
        auto* select = new QPushButton(QStringLiteral("&Select Current Directory"), this);
        select->setObjectName(QStringLiteral("cmmdSelect"));
        auto* back = new QPushButton(QStringLiteral("Escape key to go back to Top Level"), this);
        back->setObjectName(QStringLiteral("cmmdExit"));
        // Enter presses the focused button; on a list it opens the item.
        for (QPushButton* b : {open, select, back}) {
            layout->addWidget(b);
        }
        connect(open, &QPushButton::clicked, this, [this] {
            if (QListWidgetItem* item = dirs_->currentItem()) {
                Show(QDir(dir_).absoluteFilePath(item->text()));
            }
        });
        connect(dirs_, &QListWidget::itemActivated, this,
                [this](QListWidgetItem* item) { Show(QDir(dir_).absoluteFilePath(item->text())); });
        connect(select, &QPushButton::clicked, this, [this] {
            chosen = dir_.endsWith(u'/') ? dir_ : dir_ + u'/';
            accept();
        });
        connect(back, &QPushButton::clicked, this, &QDialog::reject);
        connect(drives_, &QComboBox::currentTextChanged, this, [this](const QString& root) {
            // A drive that is not ready leaves the chooser where it was.
            if (QDir(root).exists()) {
                Show(root);
            }
        });
        Show(setup.DataDir);
    }

    void Show(const QString& directory) {
        QDir dir(directory);
        if (!dir.exists()) {
            return;
        }
        dir_ = QDir::cleanPath(dir.absolutePath());
        path_->setText(dir_);
        dirs_->clear();
        dirs_->addItem(QStringLiteral(".."));
        dirs_->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
        files_->clear();
        // The station's own day files that hold data, oldest day first.
        for (const DayFileEntry& day :
             ListDayFiles(dir_, DayFileExtension(setup_), setup_.StationName).entries) {
            files_->addItem(day.name);
        }
    }

    QString chosen;

private:
    const StationSetup& setup_;
    QString dir_;
    QComboBox* drives_;
    QListWidget* dirs_;
    QListWidget* files_;
    QLabel* path_;
};

class DayListScreen : public QDialog {
public:
    DayListScreen(Services& s, OtherDaysBrowser& browser, const QString& directory,
                  const DayFileList& list, QWidget* parent)
        : QDialog(parent), s_(s), browser_(browser), directory_(directory), list_(list) {
        setObjectName(QStringLiteral("DayList"));
        setWindowTitle(QStringLiteral("Select a series of Day Files for Instrument ") +
                       s.setup.InstrumentId);
        WidenToTitle(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(
            NamedLabel(QStringLiteral("lblCount"),
                       QStringLiteral("Data Files:") + QString::number(list.entries.size()), this));
        days_ = new QListWidget(this);
        days_->setObjectName(QStringLiteral("Dayfiles"));
        for (const DayFileEntry& entry : list.entries) {
            days_->addItem(entry.date);
        }
        layout->addWidget(days_);
        auto* frame = new QGroupBox(QStringLiteral("Day Summary:"), this);
        auto* frameLayout = new QVBoxLayout(frame);
        for (int i = 0; i < 4; ++i) {
            summary_ << NamedLabel(QStringLiteral("lblSummary_%1").arg(i), QString(), frame);
            frameLayout->addWidget(summary_.last());
        }
        layout->addWidget(frame);
        layout->addWidget(new QLabel(QStringLiteral("Current Directory:"), this));
        layout->addWidget(NamedLabel(QStringLiteral("lblDirectory"), directory, this));
        layout->addWidget(new QLabel(QStringLiteral("Bytes Free:"), this));
        free_ = NamedLabel(QStringLiteral("lblFree"), QString(), this);
        layout->addWidget(free_);
        layout->addWidget(new QLabel(QStringLiteral("Summary file:"), this));
        file_ = NamedLabel(QStringLiteral("lblSumFile"), QString(), this);
        layout->addWidget(file_);
        message_ = NamedLabel(QStringLiteral("lblMessage"),
                              list.unreadable.isEmpty()
                                  ? QString()
                                  : QStringLiteral("Could not read: ") + list.unreadable.join(u' '),
                              this);
        layout->addWidget(message_);
        for (const char* line : {"Print the file on a printer with a ",
                                 "page at least 80 characters wide and 66 lines ", "long."}) {
            layout->addWidget(new QLabel(QString::fromLatin1(line), this));
        }
        make_ = new QPushButton(QStringLiteral("Make &Summary File"), this);
        make_->setObjectName(QStringLiteral("cmmdMake"));
        make_->setEnabled(false);
        auto* back = new QPushButton(QStringLiteral("e&Xit or Escape key to backup."), this);
        back->setObjectName(QStringLiteral("cmmdExit"));
        for (QPushButton* b : {make_, back}) {
            layout->addWidget(b); // Enter presses the focused one
        }
        connect(days_, &QListWidget::currentRowChanged, this, [this](int row) { Choose(row); });
        connect(make_, &QPushButton::clicked, this, [this] { Make(); });
        connect(back, &QPushButton::clicked, this, &QDialog::reject);
        ShowFree();
    }

private:
    void ShowFree() {
        free_->setText(FormatNumber(static_cast<double>(QStorageInfo(directory_).bytesAvailable()),
                                    u"###,###,###,000"));
    }

    void Choose(int row) {
        if (row < 0 || row >= list_.entries.size()) {
            return;
        }
        const OtherDaysBrowser::DayView view = browser_.Choose(directory_, list_.entries[row]);
        for (int i = 0; i < summary_.size(); ++i) {
            summary_[i]->setText(i < view.lines.size() ? view.lines[i] : QString());
        }
        file_->setText(view.summaryFile);
        make_->setEnabled(true);
    }

    void Make() {
        const int row = days_->currentRow();
        if (row < 0) {
            return;
        }
        browser_.MakeSummaryFile(directory_, list_.entries[row]);
        ShowFree();
    }

    Services& s_;
    OtherDaysBrowser& browser_;
    QString directory_;
    DayFileList list_;
    QListWidget* days_;
    QList<QLabel*> summary_;
    QLabel* free_;
    QLabel* file_;
    QLabel* message_;
    QPushButton* make_;
};

// The browser's screens, each shown when the browser asks.
class OtherDaysScreensOnWidgets : public OtherDaysScreens {
public:
    OtherDaysScreensOnWidgets(Services& s, QWidget* parent)
        : s_(s), parent_(parent), browser_(s.setup, s.clock, s.messages, *this) {}
    void Run() { browser_.Run(); }

    ContinueOrEscape Explain() override {
        return quillon::Explain(parent_) ? ContinueOrEscape::Continue : ContinueOrEscape::Escape;
    }
    std::optional<QString> ChooseDirectory() override {
        ChooserScreen chooser(s_.setup, parent_);
        if (chooser.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return chooser.chosen;
    }
    void RunDayList(const QString& directory, const DayFileList& list) override {
        DayListScreen screen(s_, browser_, directory, list, parent_);
        screen.exec();
    }

private:
    Services& s_;
    QWidget* parent_;
    OtherDaysBrowser browser_;
};

} // namespace

void RunOtherDays(Services& s, QWidget* parent) {
    OtherDaysScreensOnWidgets screens(s, parent);
    screens.Run();
}

} // namespace quillon
