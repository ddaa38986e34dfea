// SPDX-License-Identifier: GPL-3.0-or-later
#include "instrument/EncoderCheckText.h"

namespace quillon {

QStringList EncoderZeroLines() {
    return {
        QStringLiteral("** READ HAIRLINE AND INSTRUCTIONS CAREFULLY **"),
        QStringLiteral("Verify Encoder operation before making observations."),
        QStringLiteral("Turn the R-dial to the ZERO against the  Hairline on the Post."),
        QStringLiteral("If the R: display below does NOT"),
        QStringLiteral("read 0.0, then reset Encoder"),
    };
}

QStringList EncoderSpanLines() {
    return {
        QStringLiteral("** READ HAIRLINE AND INSTRUCTIONS CAREFULLY **"),
        QStringLiteral("Verify Encoder operation before making observations."),
        QStringLiteral("Turn the R-dial to the 300.0 against the Hairline."),
        QStringLiteral("If the counter display or the R: display below does NOT"),
        QStringLiteral("read 300.0 +/-0.5, then some problem exists."),
        QStringLiteral("Possible Solutions:"),
        QStringLiteral("The Encoder setscrews are loose -- tighten"),
        QStringLiteral("The three plate is to keep the encoder from rotating with the R-dial."),
        QStringLiteral("Verify that the plate is not forcing a tilt to the encoder."),
        QStringLiteral("Check that the R-dial hold-down thumb bolt is not tight -- tighten."),
        QStringLiteral("Checking the R-dial versus the encoder at 100 and 200 "),
        QStringLiteral("is also a good practice."),
    };
}

} // namespace quillon
