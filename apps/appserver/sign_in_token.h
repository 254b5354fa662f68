#pragma once

#include <string>

namespace appserver {

// A new sign-in token: 32 bytes from the kernel's random generator (getrandom), as 64
// hexadecimal digits. Nobody can guess one, so holding it is proof of a sign-in. Raises when
// the system gives no random bytes.
std::string NewSignInToken();

}  // namespace appserver
