// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <QStringList>

namespace quillon {

// The sky-condition selection of an accepted observation, a short fixed
// sequence of choices made with F1 to F7: sky (or, for cloudy zenith, the
// cloud's height, thickness and texture), then special conditions, then a
// comment.
class SkySelection {
public:
    enum Stage { kSky = 1, kHeight = 2, kThickness = 3, kTexture = 4, kSpecial = 5, kComment = 6 };

    explicit SkySelection(const QString& type);

    int CurrentStage() const { return stage_; }
    // Chooses option `fkey` (1 to 7) of the current stage; false when the
    // stage has no such option (the key is ignored).
    bool Press(int fkey);
    // The labels (object names) of a stage's options, in key order.
    static QStringList StageLabels(int stage);
    // The label chosen last, to be marked.
    const QString& ChosenLabel() const { return chosen_; }

    QString caption;
    QString message;
    QString skyFrameCaption;
    QString sky = QStringLiteral("  ");
    QString height = QStringLiteral(" ");
    QString thickness = QStringLiteral("  ");
    QString texture = QStringLiteral(" ");
    QString special = QStringLiteral("      ");

private:
    int stage_ = kSky;
    QString chosen_;
};

} // namespace quillon
