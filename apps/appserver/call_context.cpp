#include "call_context.h"

#include "call_failure.h"

namespace appserver {

void CallContext::checkDeadline() const {
    if (Clock::now() <= deadline_)
        return;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout_).count();
    throw CallFailure(503, "A chamada excedeu o tempo limite de " + std::to_string(seconds) +
                               " s do servidor de aplicação.");
}

}  // namespace appserver
