// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/FatalFileError.h"

#include "util/Format.h"
#include "util/TextFile.h"

#include <utility>

namespace quillon {

FatalFileError::FatalFileError(int number, QString directory, QString label, QString description)
    : std::runtime_error("fatal file error"), number_(number), directory_(std::move(directory)),
      label_(std::move(label)), description_(std::move(description)) {}

QString FatalFileError::BoxText() const {
    return QStringLiteral("Error #") + Str(number_) + u':' + directory_ + u':' + label_ + u'\n' +
           description_ + u'\n' + QStringLiteral("System is stopped");
}

Error FatalFileError::AsError() const {
    ErrorKind kind = ErrorKind::BadContent;
    if (number_ == kErrFileNotFound || number_ == kErrPathNotFound) {
        kind = ErrorKind::NotFound;
    } else if (number_ == kErrAccess || number_ == kErrDeviceIo) {
        kind = ErrorKind::Unreadable;
    }
    return Error{kind, BoxText()};
}

} // namespace quillon
