#include "host/session/session.h"

namespace hostfw {

SessionSettings& Session() {
    static SessionSettings settings;
    return settings;
}

std::string FiliProc() {
    return Session().filiProc;
}
bool ModuFili() {
    return Session().moduFili;
}
std::string WebURL() {
    return Session().webUrl;
}
int WebPort() {
    return Session().webPort;
}

}  // namespace hostfw
