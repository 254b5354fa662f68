#include "host/data/fb_database_name.h"

#include <algorithm>
#include <filesystem>
#include <regex>

#include "host/data/engine.h"

namespace hostfw {
namespace {

constexpr std::string_view kPrefix = "firebird:";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWithFdb(std::string_view text) {
    constexpr std::string_view kSuffix = ".fdb";
    return text.size() > kSuffix.size() &&
           std::equal(kSuffix.rbegin(), kSuffix.rend(), text.rbegin(),
                      [](char wanted, char c) { return wanted == (c | 0x20); });
}

bool IsUrl(std::string_view text) {
    return StartsWith(text, "inet://") || StartsWith(text, "inet4://") ||
           StartsWith(text, "inet6://");
}

// Firebird reads "host:..." and "host/port:..." as a server; a host is a name, an address or
// a bracketed IPv6 address, and a port a number or a service name.
bool NamesServer(const std::string& name) {
    static const std::regex kServerPrefix(
        R"(^([A-Za-z0-9_-][A-Za-z0-9._-]*|\[[0-9A-Fa-f:.]+\])(/[A-Za-z0-9_-]+)?:.)");
    return IsUrl(name) || std::regex_search(name, kServerPrefix);
}

}  // namespace

std::optional<FirebirdDatabase> FirebirdDatabaseOf(const std::string& connection) {
    std::string name;
    if (StartsWith(connection, kPrefix)) {
        name = connection.substr(kPrefix.size());
    } else if (IsUrl(connection) ||
               (EndsWithFdb(connection) && !IsPostgresConnection(connection))) {
        name = connection;
    } else {
        return std::nullopt;
    }
    if (NamesServer(name))
        return FirebirdDatabase{name, false};
    // One file, one name: the host and its application server, started in different folders,
    // open the same database.
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(name, ignored);
    return FirebirdDatabase{name.empty() ? name : absolute.lexically_normal().string(), true};
}

bool IsFirebirdConnection(const std::string& connection) {
    return FirebirdDatabaseOf(connection).has_value();
}

}  // namespace hostfw
