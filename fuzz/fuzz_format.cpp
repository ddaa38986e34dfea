// SPDX-License-Identifier: GPL-3.0-or-later
// The number and date pictures on any double (NaN, infinities, huge and
// tiny values) and any picture text; and the CUB5 reply parser on any
// bytes. Nothing may read out of bounds or hit undefined behaviour.
#include "instrument/Cub5Encoder.h"
#include "util/Format.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(double)) {
        return 0;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const QString picture = QString::fromLatin1(reinterpret_cast<const char*>(data + sizeof value),
                                                static_cast<qsizetype>(size - sizeof value));
    (void)quillon::FormatNumber(value, picture);
    (void)quillon::FormatDate(value, picture);
    (void)quillon::Str(value);
    (void)quillon::StrSingle(static_cast<float>(value));
    double rdial = 0;
    (void)quillon::ParseCounterReply(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &rdial);
    return 0;
}
