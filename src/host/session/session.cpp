#include "host/session/session.h"

namespace hostfw {

std::string FiliProc(const SessionSettings& session) {
    return session.person && session.person->bound ? session.person->homeBranch : session.filiProc;
}
bool ModuFili(const SessionSettings& session) {
    return (session.person && session.person->bound) || session.moduFili;
}

}  // namespace hostfw
