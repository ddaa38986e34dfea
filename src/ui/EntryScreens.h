// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>

#include <optional>

namespace quillon {

class Sounds;

// Base of the three entry screens: Enter tries to accept, Escape rejects,
// keys are filtered as they are typed. Each screen gives its value only
// when the operator entered one.
class EntryScreen : public QDialog {
    Q_OBJECT
public:
    EntryScreen(Sounds* sounds, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Closing the window by its title bar is Escape.
    void reject() override;
    void Escape();

    virtual void Enter() = 0;
    // True when the key was handled (inserted, changed or discarded).
    virtual bool FilterKey(QKeyEvent* event) = 0;
    virtual void PlayOpeningCue() = 0;

    Sounds* sounds_;
    QLineEdit* box_ = nullptr;
    QLabel* error_ = nullptr;
};

// "Get Instrument Temperature".
class GetDegsCScreen : public EntryScreen {
    Q_OBJECT
public:
    explicit GetDegsCScreen(Sounds* sounds, QWidget* parent = nullptr);
    // Instruction lines lblL1(0) to lblL1(6).
    QList<QLabel*> lines;
    // The temperature entered; nothing until the operator entered one.
    std::optional<double> Temperature() const { return degrees_; }

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;

private:
    std::optional<double> degrees_;
};

// "Get Initials".
class GetInitialsScreen : public EntryScreen {
    Q_OBJECT
public:
    // `offered`: the initials already given this session, offered again.
    GetInitialsScreen(const QString& offered, Sounds* sounds, QWidget* parent = nullptr);
    // Instruction lines lblL1(0) to lblL1(12).
    QList<QLabel*> lines;
    // The initials entered; nothing until the operator entered them.
    std::optional<QString> Initials() const { return initials_; }

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;

private:
    std::optional<QString> initials_;
};

// "Place a comment in the day file."
class AddCommentScreen : public EntryScreen {
    Q_OBJECT
public:
    explicit AddCommentScreen(Sounds* sounds, QWidget* parent = nullptr);
    // The comment entered; nothing until the operator entered one.
    std::optional<QString> Text() const { return text_; }

signals:
    // The operator entered a comment (also when the screen is not modal).
    void Entered(const QString& text);

protected:
    void Enter() override;
    bool FilterKey(QKeyEvent* event) override;
    void PlayOpeningCue() override;

private:
    std::optional<QString> text_;
};

// The initials and the temperature entries with a caption and instruction
// lines (a caption left empty keeps the screen's own); nothing when the
// operator escaped or closed the screen.
std::optional<QString> AskInitials(Sounds* sounds, QWidget* parent, const QString& caption,
                                   const QStringList& lines, const QString& offered);
std::optional<double> AskTemperature(Sounds* sounds, QWidget* parent, const QString& caption,
                                     const QStringList& lines);
// The "&Comment" entries of the menus: the comment, or nothing. The caller
// writes its record.
std::optional<QString> AskComment(Sounds* sounds, QWidget* parent);

} // namespace quillon
