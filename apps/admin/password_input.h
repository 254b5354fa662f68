#pragma once

#include <istream>
#include <string>

namespace admin {

// A new person's password: typed twice on the terminal without echo and compared, or read as
// one line of the given stream (--password-stdin, for scripts). Refuses an empty password and
// two entries that differ, with a Portuguese message.
std::string ReadNewPassword(bool fromStream, std::istream& in);

}  // namespace admin
