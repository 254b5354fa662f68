#include "host_identity.h"

#include <unistd.h>

#include <string>

#include "host/core/system_login.h"
#include "host/session/session.h"

namespace host {

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return "desconhecida";
    return name;
}

hostfw::ChoiceOwner CurrentChoiceOwner() {
    const auto& person = hostfw::Session().person;
    if (person)
        return {person->login, person->homeBranch};
    return {hostfw::SystemLogin(), hostfw::FiliProc()};
}

}  // namespace host
