#include "host/session/session.h"

namespace hostfw {

SessionSettings& Session() {
    static SessionSettings settings;
    return settings;
}

std::string FiliProc() {
    const SessionSettings& session = Session();
    return session.person && session.person->bound ? session.person->homeBranch : session.filiProc;
}
bool ModuFili() {
    const SessionSettings& session = Session();
    return (session.person && session.person->bound) || session.moduFili;
}
std::string WebURL() {
    return Session().webUrl;
}
int WebPort() {
    return Session().webPort;
}

}  // namespace hostfw
