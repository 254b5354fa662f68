#pragma once

#include <vector>

#include "host/core/variant.h"
#include "host/wire/ole_variant.h"

namespace hostfw {

// One positional argument of a late-bound call as it travels.
struct CallArgument {
    Variant value;
    bool byRef = false;
    friend bool operator==(const CallArgument&, const CallArgument&) = default;
};

struct CallRequest {
    std::vector<CallArgument> args;
    friend bool operator==(const CallRequest&, const CallRequest&) = default;
};

// The result, and the final values of the by-reference arguments in order of position.
// An error reply carries no by-reference values: the caller's variables stay as they were.
struct CallReply {
    OleVariant result;
    std::vector<Variant> byRef;
    friend bool operator==(const CallReply&, const CallReply&) = default;
};

}  // namespace hostfw
