#include "call_context.h"

namespace appserver {

CallContext::~CallContext() {
    if (handedOut_ != nullptr) {
        handedOut_->SetDeadline(std::nullopt);
        handedOut_->SetStopToken({});
    }
}

hostfw::Engine& CallContext::Engine() const {
    hostfw::Engine& engine = engine_();
    engine.SetDeadline(deadline_);
    engine.SetStopToken(clientGone_);
    handedOut_ = &engine;
    return engine;
}

void CallContext::CheckDeadline() const {
    if (Clock::now() > deadline_)
        throw CallTimedOut(timeout_);
}

CallFailure CallTimedOut(std::chrono::seconds timeout) {
    return CallFailure(503, "A chamada excedeu o tempo limite de " +
                                std::to_string(timeout.count()) + " s do servidor de aplicação.");
}

}  // namespace appserver
