#pragma once

#include <string>
#include <string_view>

namespace hostfw {

// Refuses a text parameter holding the NUL character: a C string would end there without a
// word, and the engines disagree on the rest. Every engine refuses it with this one message.
void RefuseNul(const std::string& name, std::string_view value);

}  // namespace hostfw
