// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EntryScreens.h"

#include "sound/Play.h"
#include "util/EntryRules.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

namespace {
QLabel* Named(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QList<QLabel*> InstructionLines(int count, QVBoxLayout* layout, QWidget* parent) {
    QList<QLabel*> lines;
    for (int i = 0; i < count; ++i) {
        QLabel* line = Named(QStringLiteral("lblL1_%1").arg(i), QString(), parent);
        layout->addWidget(line);
        lines << line;
    }
    return lines;
}
} // namespace

EntryScreen::EntryScreen(Sounds* sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {}

void EntryScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (box_) {
        box_->setFocus();
    }
    if (sounds_) {
        PlayOpeningCue();
    }
}

void EntryScreen::Escape() {
    reject();
}

void EntryScreen::reject() {
    QDialog::reject();
}

void EntryScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Escape();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool EntryScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Enter();
            return true;
        case Qt::Key_Escape:
            Escape();
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Delete:
            return false;
        default:
            return FilterKey(key);
        }
    }
    return QDialog::eventFilter(watched, event);
}

GetDegsCScreen::GetDegsCScreen(Sounds* sounds, QWidget* parent) : EntryScreen(sounds, parent) {
    setObjectName(QStringLiteral("GetDegsC"));
    setWindowTitle(QStringLiteral("Get Instrument Temperature"));
    auto* layout = new QVBoxLayout(this);
    lines = InstructionLines(7, layout, this);
    layout->addWidget(new QLabel(QStringLiteral("Read the Temperature"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("Carefully -- do not put fingers on the bulb!"), this));
    auto* frame =
        new QGroupBox(QStringLiteral("Read Dobson Temperature and enter below: Degs. C."), this);
    auto* frameLayout = new QVBoxLayout(frame);
    box_ = new QLineEdit(frame);
    box_->setObjectName(QStringLiteral("txtDegsC"));
    frameLayout->addWidget(box_);
    layout->addWidget(frame);
    error_ = Named(QStringLiteral("lblDegsErr"), QString(), this);
    layout->addWidget(error_);
    auto* exit = new QPushButton(QStringLiteral("e&Xit (Esc)"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &GetDegsCScreen::Escape);
    layout->addWidget(exit);
    box_->installEventFilter(this);
}

void GetDegsCScreen::Enter() {
    double degrees = 0;
    const EntryResult result = DegsCEnter(box_->text(), &degrees);
    if (!result.accepted) {
        error_->setText(result.error);
        return;
    }
    degrees_ = degrees;
    accept();
}

bool GetDegsCScreen::FilterKey(QKeyEvent* event) {
    const QString text = event->text();
    if (text == QLatin1String("+") || text == QLatin1String("-")) {
        box_->setText(DegsCSignKey(box_->text(), text[0]));
        return true;
    }
    return text.size() != 1 || !DegsCAcceptsChar(text[0]);
}

void GetDegsCScreen::PlayOpeningCue() {
    sounds_->PlayAttention();
}

GetInitialsScreen::GetInitialsScreen(const QString& offered, Sounds* sounds, QWidget* parent)
    : EntryScreen(sounds, parent) {
    setObjectName(QStringLiteral("GetInitials"));
    setWindowTitle(QStringLiteral("Get Initials"));
    auto* layout = new QVBoxLayout(this);
    lines = InstructionLines(13, layout, this);
    auto* frame = new QGroupBox(QStringLiteral("Enter Initials or Press Escape"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    box_ = new QLineEdit(frame);
    box_->setObjectName(QStringLiteral("txtInitials"));
    frameLayout->addWidget(box_);
    layout->addWidget(frame);
    error_ = Named(QStringLiteral("lblInitErr"), QString(), this);
    layout->addWidget(error_);
    auto* exit = new QPushButton(QStringLiteral("Press Escape to Return to Main Menu."), this);
    exit->setObjectName(QStringLiteral("cmmdObsEsc"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &GetInitialsScreen::Escape);
    layout->addWidget(exit);
    box_->installEventFilter(this);
    // Pasted text keeps to the rule that typed keys follow.
    connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString clean = CleanInitials(text);
        if (clean != text) {
            box_->setText(clean);
        }
    });
    // The initials already given this session are offered again.
    box_->setText(CleanInitials(offered));
}

void GetInitialsScreen::Enter() {
    const EntryResult result = InitialsEnter(box_->text());
    if (!result.accepted) {
        error_->setText(result.error);
        return;
    }
    initials_ = box_->text();
    accept();
}

bool GetInitialsScreen::FilterKey(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1) {
        if (const auto c = InitialsKey(box_->text(), text[0])) {
            box_->insert(QString(*c));
        }
    }
    return true;
}

void GetInitialsScreen::PlayOpeningCue() {
    sounds_->PlayStartCue();
}

AddCommentScreen::AddCommentScreen(Sounds* sounds, QWidget* parent) : EntryScreen(sounds, parent) {
    setObjectName(QStringLiteral("addcmmt"));
    setWindowTitle(QStringLiteral("Place a comment in the day file."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Type in a Comment and press ENTER; or press Escape to return to "), this));
    layout->addWidget(new QLabel(QStringLiteral("calling Menu."), this));
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("txtCmmt"));
    box_->setMinimumWidth(480);
    layout->addWidget(box_);
    error_ = Named(QStringLiteral("lblErr"), QString(), this);
    layout->addWidget(error_);
    auto* exit = new QPushButton(QStringLiteral("e&Xit"), this);
    exit->setObjectName(QStringLiteral("cmmdExit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &AddCommentScreen::Escape);
    layout->addWidget(exit);
    box_->installEventFilter(this);
}

void AddCommentScreen::Enter() {
    const EntryResult result = CommentEnter(box_->text());
    if (!result.accepted) {
        error_->setText(result.error);
        return;
    }
    text_ = box_->text();
    accept();
    emit Entered(*text_);
}

bool AddCommentScreen::FilterKey(QKeyEvent*) {
    return false;
}

void AddCommentScreen::PlayOpeningCue() {
    sounds_->PlayInfoCue();
}

std::optional<QString> AskComment(Sounds* sounds, QWidget* parent) {
    AddCommentScreen screen(sounds, parent);
    screen.exec();
    return screen.Text();
}

namespace {
// Instruction texts onto a screen's lines; a text longer than the screen
// has lines shares the last line.
void FillLines(const QList<QLabel*>& labels, const QStringList& texts) {
    for (int i = 0; i < labels.size(); ++i) {
        if (i == labels.size() - 1 && texts.size() > labels.size()) {
            labels[i]->setText(texts.mid(i).join(u'\n'));
        } else {
            labels[i]->setText(i < texts.size() ? texts[i] : QString());
        }
    }
}
} // namespace

std::optional<QString> AskInitials(Sounds* sounds, QWidget* parent, const QString& caption,
                                   const QStringList& lines, const QString& offered) {
    GetInitialsScreen initials(offered, sounds, parent);
    initials.setWindowTitle(caption);
    FillLines(initials.lines, lines);
    initials.exec();
    return initials.Initials();
}

std::optional<double> AskTemperature(Sounds* sounds, QWidget* parent, const QString& caption,
                                     const QStringList& lines) {
    GetDegsCScreen temperature(sounds, parent);
    if (!caption.isEmpty()) {
        temperature.setWindowTitle(caption);
        FillLines(temperature.lines, lines);
    }
    temperature.exec();
    return temperature.Temperature();
}

} // namespace quillon
