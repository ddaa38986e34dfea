// SPDX-License-Identifier: GPL-3.0-or-later
#include "observe/SkyConditions.h"

#include "observe/ObservationTypes.h"

namespace quillon {

SkySelection::SkySelection(const QString& type) {
    const QString target = TargetOf(type);
    if (target == QLatin1String("ZC")) {
        caption = QStringLiteral("Select the Cloud conditions for a ") + type +
                  QStringLiteral(" Observation.");
        message = QStringLiteral("Select the base Height of the Cloud on the Zenith.");
        stage_ = kHeight;
        return;
    }
    caption = QStringLiteral("Select the Blue Sky condition for a ") + type +
              QStringLiteral(" Observation.");
    stage_ = kSky;
    if (target == QLatin1String("ZB")) {
        skyFrameCaption = QStringLiteral("Blue Zenith");
        message = QStringLiteral("Select the condition of the Zenith Blue Sky.");
    } else if (target == QLatin1String("RM")) {
        skyFrameCaption = QStringLiteral("Sky near Moon");
        message = QStringLiteral("Select the condition of the sky around the Moon.");
    } else {
        skyFrameCaption = QStringLiteral("Blue Sky");
        message = QStringLiteral("Select the condition of the sky around the Sun.");
    }
}

QStringList SkySelection::StageLabels(int stage) {
    switch (stage) {
    case kSky:
        return {"lblBSC", "lblBSH", "lblBSVH"};
    case kHeight:
        return {"lblhgtH", "lblhgtM", "lblhgtL"};
    case kThickness:
        return {"lblthkTN", "lblthkM", "lblthkTK"};
    case kTexture:
        return {"lblTxU", "lblTxV", "lblTxP"};
    case kSpecial:
        return {"lblNone", "lblRain", "lblSnow", "lblFog", "lblSmog", "lblDust", "lblSmoke"};
    default:
        return {};
    }
}

bool SkySelection::Press(int fkey) {
    const QStringList labels = StageLabels(stage_);
    if (fkey < 1 || fkey > labels.size()) {
        return false;
    }
    chosen_ = labels[fkey - 1];
    const QString special = QStringLiteral("Select the Special Conditions for this observation.");
    switch (stage_) {
    case kSky:
        sky = QStringList{"C ", "H ", "VH"}[fkey - 1];
        stage_ = kSpecial;
        message = special;
        break;
    case kHeight:
        height = QStringList{"H", "M", "L"}[fkey - 1];
        stage_ = kThickness;
        message = QStringLiteral("Select the Thickness of the Cloud on the Zenith.");
        break;
    case kThickness:
        thickness = QStringList{"TN", "M ", "TK"}[fkey - 1];
        stage_ = kTexture;
        message = QStringLiteral("Select the Texture of the Cloud on the Zenith.");
        break;
    case kTexture:
        texture = QStringList{"U", "V", "P"}[fkey - 1];
        stage_ = kSpecial;
        message = special;
        break;
    case kSpecial:
        this->special = QStringList{"      ", "RAIN  ", "SNOW  ", "FOG   ",
                                    "SMOG  ", "DUST  ", "SMOKE "}[fkey - 1];
        stage_ = kComment;
        message = QStringLiteral("Your Comments are always welcome.");
        break;
    default:
        return false;
    }
    return true;
}

} // namespace quillon
