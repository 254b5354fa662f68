#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/report/text_align.h"
#include "hostfw_export.h"

namespace hostfw {

// The text as one printable line of valid UTF-8: control characters (line breaks, tabs, ...)
// become blanks, so a value can never break the fixed layout of a page, and every invalid byte
// becomes U+FFFD (database text is not trusted to be UTF-8), so what the renderers and the CSV
// file receive is always valid.
HOSTFW_EXPORT std::string SingleLine(std::string_view text);

// Columns a text takes on a character grid: combining marks take none, wide East Asian
// characters two, everything else one.
HOSTFW_EXPORT std::size_t DisplayWidth(std::string_view utf8);

// Exactly `width` columns: padded with blanks as aligned, or cut on a character boundary
// and ended with "…" when the text does not fit.
HOSTFW_EXPORT std::string FitToWidth(std::string_view utf8, std::size_t width, TextAlign align);

}  // namespace hostfw
