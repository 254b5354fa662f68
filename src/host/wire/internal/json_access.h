#pragma once

// Internal to the framework library: the JSON library stays out of every public header.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

namespace hostfw::wire {

using Json = nlohmann::json;

// Each raises WireFormatError naming the member and where it was expected ("argumento 3").
const Json& RequireMember(const Json& object, const char* member, const std::string& where);
const Json& RequireObject(const Json& value, const std::string& where);
const Json& RequireArray(const Json& value, const std::string& where);
std::string RequireString(const Json& value, const std::string& where);
bool RequireBoolean(const Json& value, const std::string& where);
std::int64_t RequireInteger(const Json& value, const std::string& where);
// A finite number: JSON cannot carry NaN or infinity, and a huge literal must not become one.
double RequireFiniteNumber(const Json& value, const std::string& where);

// No message of the protocol nests deeper than this (a data packet's row is five levels down);
// a body that does cannot be one, and is refused before it costs more than its own size.
inline constexpr int kDeepestNesting = 16;
// No bound on how many values a message holds (a reply's data packet may hold millions).
inline constexpr std::size_t kAnyNumberOfValues = static_cast<std::size_t>(-1);

// The body parsed, refused with a WireFormatError past kDeepestNesting or past `mostValues`
// values and names, which bounds what parsing it costs to a small multiple of its size.
Json ParseBounded(std::string_view body, std::size_t mostValues);
// ParseBounded, with the protocol's version checked.
Json ParseMessage(std::string_view body, std::size_t mostValues = kAnyNumberOfValues);
// A parsed message's version checked; raises WireFormatError otherwise.
void CheckMessageVersion(const Json& message);
// Serialises, raising a clear Exception for text that is not UTF-8.
std::string DumpMessage(const Json& message);
Json NewMessage();

}  // namespace hostfw::wire
