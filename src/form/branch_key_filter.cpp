#include "form/branch_key_filter.h"

namespace Cli_exp03600 {

bool IsBranchCodeKey(unsigned char code) {
    return (code >= 48 && code <= 57) || (code >= 65 && code <= 90) ||
           (code >= 97 && code <= 122) || (code >= 8 && code <= 9) || code == 13 ||
           (code >= 37 && code <= 40);
}

}  // namespace Cli_exp03600
