#include "host/net/server_credentials.h"

namespace hostfw {
namespace {

ServerCredentialsSource& Installed() {
    static ServerCredentialsSource source;
    return source;
}

}  // namespace

void SetServerCredentials(ServerCredentialsSource source) {
    Installed() = std::move(source);
}

std::optional<Credentials> ServerCredentials() {
    if (!Installed())
        return std::nullopt;
    return Installed()();
}

}  // namespace hostfw
