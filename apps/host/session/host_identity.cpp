#include "session/host_identity.h"

#include <unistd.h>

#include <cctype>
#include <string>

#include "host/core/system_login.h"
#include "host/session/session.h"

namespace host {

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "desconhecida";
    // The shared database takes a machine's name of these characters only (exp036-admin setup).
    std::string kept = name;
    for (char& c : kept) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            c = '-';
    }
    return kept;
}

hostfw::ChoiceOwner CurrentChoiceOwner(const hostfw::SessionSettings& session) {
    if (session.person)
        return {session.person->login, session.person->homeBranch};
    return {hostfw::SystemLogin(), hostfw::FiliProc(session)};
}

}  // namespace host
