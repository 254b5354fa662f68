#pragma once

#include <initializer_list>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// A stored message with its "%s" places filled in order ("%%" is a "%"). The arguments go in
// as they are: a "%s" inside a folder name is never filled again. Places left over stay
// empty; arguments left over are dropped.
HOSTFW_EXPORT std::string FormatMessage(const std::string& text,
                                        std::initializer_list<std::string> arguments);

}  // namespace hostfw
