#include "host/wire/wire_protocol.h"

#include <algorithm>

namespace hostfw {
namespace {

constexpr size_t kMaxNameLength = 128;

bool IsNameCharacter(char c, bool allowDot) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           (allowDot && c == '.');
}

bool IsValidName(std::string_view name, bool allowDot) {
    return !name.empty() && name.size() <= kMaxNameLength &&
           std::all_of(name.begin(), name.end(),
                       [allowDot](char c) { return IsNameCharacter(c, allowDot); });
}

}  // namespace

bool IsValidObjectName(std::string_view name) {
    return IsValidName(name, true);
}

bool IsValidMethodName(std::string_view name) {
    return IsValidName(name, false);
}

std::string ObjectPath(std::string_view objectName) {
    return "/" + std::string(objectName);
}

std::string CallPath(std::string_view objectName, std::string_view method) {
    return ObjectPath(objectName) + "/" + std::string(method);
}

}  // namespace hostfw
