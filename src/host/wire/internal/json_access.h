#pragma once

// Internal to the framework library: the JSON library stays out of every public header.

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

// The body parsed, with the version checked; raises WireFormatError otherwise.
Json ParseMessage(std::string_view body);
void CheckMessageVersion(const Json& message);
// Serialises, raising a clear Exception for text that is not UTF-8.
std::string DumpMessage(const Json& message);
Json NewMessage();

}  // namespace hostfw::wire
