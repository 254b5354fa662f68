#include "sign_in_token.h"

#include "hex_text.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace appserver {

std::string NewSignInToken() {
    std::array<unsigned char, 32> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw std::runtime_error("o sistema não forneceu bytes aleatórios para a sessão.");
        filled += static_cast<std::size_t>(got);
    }
    return Hex(bytes.data(), bytes.size());
}

}  // namespace appserver
