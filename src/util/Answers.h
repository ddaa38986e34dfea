// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon {

// The operator's answers that several screens share. A screen with choices
// of its own has its own enum beside its workflow.

// A notice or warning that the operator may go past or leave.
enum class ContinueOrEscape { Continue, Escape };

// "Escape was pressed ...": enter it again, or give up.
enum class RetryOrCancel { Retry, Cancel };

} // namespace quillon
