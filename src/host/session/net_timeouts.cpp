#include "host/session/net_timeouts.h"

#include <string>

#include "host/core/exception.h"

namespace hostfw {
namespace {

void CheckBound(std::chrono::milliseconds bound, const char* what) {
    if (bound.count() < 1 || bound > kMaxNetTimeout) {
        throw Exception(std::string("Tempo limite de ") + what +
                        " do servidor de aplicação inválido: " + std::to_string(bound.count()) +
                        " ms (use de 1 a " + std::to_string(kMaxNetTimeout.count()) + " ms).");
    }
}

}  // namespace

void CheckNetTimeouts(const NetTimeouts& timeouts) {
    CheckBound(timeouts.connect, "conexão");
    CheckBound(timeouts.read, "resposta");
}

}  // namespace hostfw
