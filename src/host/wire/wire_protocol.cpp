#include "host/wire/wire_protocol.h"

#include <algorithm>

namespace hostfw {
namespace {

constexpr size_t kMaxNameLength = 128;

bool isNameCharacter(char c, bool allowDot) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           (allowDot && c == '.');
}

bool isValidName(std::string_view name, bool allowDot) {
    return !name.empty() && name.size() <= kMaxNameLength &&
           std::all_of(name.begin(), name.end(),
                       [allowDot](char c) { return isNameCharacter(c, allowDot); });
}

}  // namespace

bool isValidObjectName(std::string_view name) {
    return isValidName(name, true);
}

bool isValidMethodName(std::string_view name) {
    return isValidName(name, false);
}

std::string objectPath(std::string_view objectName) {
    return "/" + std::string(objectName);
}

std::string callPath(std::string_view objectName, std::string_view method) {
    return objectPath(objectName) + "/" + std::string(method);
}

}  // namespace hostfw
