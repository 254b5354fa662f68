#pragma once

// Internal to the framework library: the JSON library stays out of every public header.

#include <nlohmann/json.hpp>
#include <string>

namespace hostfw::wire {

using Json = nlohmann::json;

// Each raises WireFormatError naming the member and where it was expected ("argumento 3").
const Json& requireMember(const Json& object, const char* member, const std::string& where);
const Json& requireObject(const Json& value, const std::string& where);
const Json& requireArray(const Json& value, const std::string& where);
std::string requireString(const Json& value, const std::string& where);
bool requireBoolean(const Json& value, const std::string& where);
std::int64_t requireInteger(const Json& value, const std::string& where);
// A finite number: JSON cannot carry NaN or infinity, and a huge literal must not become one.
double requireFiniteNumber(const Json& value, const std::string& where);

// The body parsed, with the version checked; raises WireFormatError otherwise.
Json parseMessage(std::string_view body);
// Serialises, raising a clear Exception for text that is not UTF-8.
std::string dumpMessage(const Json& message);
Json newMessage();

}  // namespace hostfw::wire
