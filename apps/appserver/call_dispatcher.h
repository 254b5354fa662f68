#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "host/wire/call_messages.h"
#include "remote_object.h"
#include "thread_engines.h"

namespace appserver {

// What one request produced: the HTTP status, the JSON body, and what the log line says.
struct DispatchResult {
    int status = 200;
    std::string body;
    std::optional<std::size_t> rows;
    std::string outcome = "ok";
    // For a 503 the client may try again after: the Retry-After header.
    std::optional<int> retryAfterSeconds;
};

// Runs late-bound calls on the offered objects, apart from any transport: the request body
// is decoded, the method runs with the thread's database connection and the call's deadline,
// and every failure becomes an error reply with its status. Never raises.
class CallDispatcher {
public:
    CallDispatcher(const RemoteObjectRegistry& registry, ThreadEngines& engines,
                   std::chrono::seconds timeout)
        : registry_(registry), engines_(engines), timeout_(timeout) {}

    DispatchResult DescribeObject(const std::string& objectName) const;
    // With a caller, the method runs on a connection of that person instead of the thread's.
    // Once `clientGone` is asked to stop, a statement still running is interrupted in the
    // database and the call ends as given up (499).
    DispatchResult Call(const std::string& objectName, const std::string& method,
                        std::string_view body, const Caller* caller = nullptr,
                        std::stop_token clientGone = {}) const;

private:
    // Runs the method on a fresh copy of the arguments, which it leaves in args.
    hostfw::OleVariant Run(const RemoteMethod& method, const hostfw::CallRequest& request,
                           std::vector<hostfw::Variant>& args, const Caller* caller,
                           const std::stop_token& clientGone) const;

    const RemoteObjectRegistry& registry_;
    ThreadEngines& engines_;
    std::chrono::seconds timeout_;
};

// The status of a call whose client went away before its reply (as proxies log it): nobody reads
// the reply, the log and the audit do.
inline constexpr int kClientGoneStatus = 499;

// An error reply with that status and text.
DispatchResult ErrorResult(int status, const std::string& message);

}  // namespace appserver
