#pragma once

#include <stdexcept>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Every failure of the framework and the module is an Exception; its message is
// what the event loop shows to the user.
class HOSTFW_EXPORT Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    ~Exception() override;
    const char* Message() const { return what(); }
};

// The silent abort: the event loop swallows it without a second message.
class HOSTFW_EXPORT EAbort : public Exception {
public:
    EAbort() : Exception("Operação cancelada") {}
    ~EAbort() override;
};

// Raises the silent abort.
[[noreturn]] HOSTFW_EXPORT void Abort();

}  // namespace hostfw
