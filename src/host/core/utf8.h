#pragma once

#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

// Texts are UTF-8 throughout; editing and widths work on code points.
HOSTFW_EXPORT std::u32string Utf8Decode(std::string_view text);
HOSTFW_EXPORT std::string Utf8Encode(std::u32string_view text);
HOSTFW_EXPORT std::string Utf8Encode(char32_t codePoint);
HOSTFW_EXPORT size_t Utf8Length(std::string_view text);

}  // namespace hostfw
