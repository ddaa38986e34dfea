// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/FatalFileError.h"

#include "util/Format.h"

#include <utility>

namespace quillon {

FatalFileError::FatalFileError(int number, QString directory, QString label, QString description)
    : std::runtime_error("fatal file error"), number_(number), directory_(std::move(directory)),
      label_(std::move(label)), description_(std::move(description)) {}

QString FatalFileError::BoxText() const {
    return QStringLiteral("Error #") + Str(number_) + u':' + directory_ + u':' + label_ + u'\n' +
           description_ + u'\n' + QStringLiteral("System is stopped");
}

} // namespace quillon
