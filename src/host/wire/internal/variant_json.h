#pragma once

// Internal to the framework library.

#include <string>

#include "host/core/variant.h"
#include "host/wire/internal/json_access.h"

namespace hostfw::wire {

// {"type":"string","value":"..."}; see docs/protocol.md for every type.
Json variantToJson(const Variant& value);
Variant variantFromJson(const Json& json, const std::string& where);

// A number that JSON can carry: raises a clear Exception for NaN and infinity.
double finiteForWire(double value);

}  // namespace hostfw::wire
