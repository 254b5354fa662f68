#pragma once

#include <string>
#include <vector>

namespace hostfw {

// A late-bound call as it was sent. Each argument is written as a script writes a value
// (CallArgumentText): "text", date(YYYY-MM-DD), an integer, true/false, null.
struct ServerCallRecord {
    std::string object;
    std::string method;
    std::vector<std::string> arguments;
};

}  // namespace hostfw
