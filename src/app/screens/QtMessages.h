// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/OperatorMessages.h"

class QWidget;

namespace quillon {

// Operator messages as real message boxes.
class QtMessages : public OperatorMessages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const QString& text, const QString& title) override;
    bool AskYesNo(const QString& text, const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace quillon
