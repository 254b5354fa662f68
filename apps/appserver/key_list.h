#pragma once

#include <string>
#include <string_view>

namespace appserver {

// A delimited key list (",1,7,12,") in its one canonical form: split at the commas, blanks
// around each key trimmed, empty keys dropped, each remaining key led and followed by a comma.
// "" when no key is left. Membership is then a whole-key test: ",<key>," inside the list, so
// "1" never matches "11".
std::string CanonicalKeyList(std::string_view list);

}  // namespace appserver
