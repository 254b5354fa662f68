#pragma once

#include <functional>
#include <string>

#include "host/core/exception.h"

namespace testsupport {

// The message of the failure an action raises, or "(nenhuma falha)" when it raises none, so a
// test can compare the user's text whole.
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const hostfw::Exception& error) {
        return error.what();
    }
    return "(nenhuma falha)";
}

}  // namespace testsupport
