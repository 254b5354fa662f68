#include "host/core/system_login.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace hostfw {

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

}  // namespace hostfw
