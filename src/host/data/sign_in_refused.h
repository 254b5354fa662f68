#pragma once

#include <string>

#include "host/core/exception.h"
#include "hostfw_export.h"

namespace hostfw {

// The database refused to let the person in: it wants a password that was not given, or the
// one given (or the login) is not accepted. Other failures to connect stay plain Exceptions.
class HOSTFW_EXPORT SignInRefused : public Exception {
public:
    enum class Reason { PasswordNeeded, NotAccepted };
    SignInRefused(Reason reason, const std::string& message)
        : Exception(message), reason_(reason) {}
    Reason WhyRefused() const { return reason_; }

private:
    Reason reason_;
};

}  // namespace hostfw
