#pragma once

// Internal to the framework library.

#include <string>

#include "host/core/variant.h"
#include "host/wire/internal/json_access.h"

namespace hostfw::wire {

// {"type":"string","value":"..."}; see docs/protocol.md for every type.
Json VariantToJson(const Variant& value);
Variant VariantFromJson(const Json& json, const std::string& where);

// A number that JSON can carry: raises a clear Exception for NaN and infinity.
double FiniteForWire(double value);

}  // namespace hostfw::wire
