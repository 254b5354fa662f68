#include "host/core/exception.h"

namespace hostfw {

// Out of line so the type information lives once, in libhostfw.so, and a catch in the
// package matches a throw in the framework.
Exception::~Exception() = default;
EAbort::~EAbort() = default;

void Abort() {
    throw EAbort();
}

}  // namespace hostfw
