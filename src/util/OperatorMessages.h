// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// Message boxes for the operator. The core reports through this seam; the
// program shows real boxes, tests record what would have been shown.
class OperatorMessages {
public:
    virtual ~OperatorMessages() = default;
    virtual void Show(const QString& text, const QString& title) = 0;
    virtual bool AskYesNo(const QString& text, const QString& title) = 0;
};

} // namespace quillon
