#include "host/session/reply_size_limit.h"

#include <string>

#include "host/core/exception.h"

namespace hostfw {

void CheckReplySizeLimit(std::size_t bytes) {
    if (bytes < kMinReplySizeLimit || bytes > kMaxReplySizeLimit) {
        throw Exception("Tamanho máximo de resposta do servidor de aplicação inválido: " +
                        std::to_string(bytes) + " bytes (use de " +
                        std::to_string(kMinReplySizeLimit) + " a " +
                        std::to_string(kMaxReplySizeLimit) + ").");
    }
}

}  // namespace hostfw
