// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillon {

// One line of an information screen: its label and the value shown beside it.
struct LabelledValue {
    QString label;
    QString value;
};

} // namespace quillon
