#pragma once

#include <string>

#include "host/core/exception.h"

namespace appserver {

// A call refused with a given HTTP status: 400 for bad arguments, 404 for an unknown
// object or method, 503 for a call that ran out of time. Any other failure is a 500.
class CallFailure : public hostfw::Exception {
public:
    CallFailure(int status, const std::string& message)
        : hostfw::Exception(message), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

}  // namespace appserver
