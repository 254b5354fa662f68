#pragma once

namespace Cli_exp03600 {

// Whether a typed character may enter the branch code: digits, letters, backspace, tab,
// carriage return and the four characters from '%' to '('. Explicit code ranges, so no
// locale can widen them.
bool IsBranchCodeKey(unsigned char code);

}  // namespace Cli_exp03600
