#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/net/dispatch_arg.h"
#include "host/wire/call_messages.h"
#include "host/wire/ole_variant.h"
#include "hostfw_export.h"

namespace hostfw {

// The late-bound interface of a remote object: methods are invoked by name with positional
// arguments. What carries the call (and connects first when needed) is given by the owner.
class HOSTFW_EXPORT TDispatch {
public:
    using CallFunction =
        std::function<CallReply(const std::string& method, const CallRequest& request)>;

    explicit TDispatch(CallFunction call) : call_(std::move(call)) {}

    // Returns the result, or the server's error reply as an error OleVariant. After a
    // successful reply every by-reference argument holds what the server left in it; after an
    // error reply, or a failure raised on the way, none of them is touched.
    OleVariant Invoke(const std::string& method, std::vector<DispatchArg>& args);

private:
    CallFunction call_;
};

}  // namespace hostfw
