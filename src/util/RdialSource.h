// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/Result.h"

namespace quillon {

// The R-dial as the encoder check sees it: a reading of half a second, the
// counter set to zero, and a failure reported to the operator (the program
// cannot observe without its dial, so it ends).
class RdialSource {
public:
    virtual ~RdialSource() = default;
    virtual Result<double> ReadDial() = 0;
    virtual void ResetDial() = 0;
    virtual void ReportDialFailure(const Error& failure) = 0;
};

} // namespace quillon
