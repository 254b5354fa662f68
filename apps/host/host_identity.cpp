#include "host_identity.h"

#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/session/session.h"

namespace host {

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return "desconhecida";
    return name;
}

std::string SystemLogin() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        return found->pw_name;
    }
    // A user id without an entry (a container started with an arbitrary id): its number.
    return "uid" + std::to_string(geteuid());
}

hostfw::ChoiceOwner CurrentChoiceOwner() {
    const auto& person = hostfw::Session().person;
    if (person)
        return {person->login, person->homeBranch};
    return {SystemLogin(), hostfw::FiliProc()};
}

}  // namespace host
