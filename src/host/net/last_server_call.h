#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// The last late-bound call as it was sent, for the scripts' and the tests' expectations and
// the transcript. Each argument is written as a script writes a value: "text" (quoted, with
// backslash escapes), date(YYYY-MM-DD) or date(YYYY-MM-DD hh:mm:ss), an integer, true/false,
// null.
struct ServerCallRecord {
    std::string object;
    std::string method;
    std::vector<std::string> arguments;
};

HOSTFW_EXPORT const std::optional<ServerCallRecord>& LastServerCall();
HOSTFW_EXPORT void RecordServerCall(ServerCallRecord call);

}  // namespace hostfw
