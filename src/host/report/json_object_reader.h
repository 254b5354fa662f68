#pragma once

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace hostfw {

// A fault in a definition's content, located by its path in the document ("columns[2].width").
struct DefinitionProblem {
    std::string what;
};
[[noreturn]] void ThrowDefinitionProblem(const std::string& where, const std::string& what);

// Typed access to the members of one JSON object, with every fault reported by location.
// Members outside `allowed` are refused, so a misspelt key does not pass unnoticed.
class JsonObjectReader {
public:
    JsonObjectReader(const nlohmann::json& object, std::string where,
                     std::initializer_list<std::string_view> allowed);

    const std::string& Where() const { return where_; }
    std::string Path(std::string_view key) const;
    bool Has(std::string_view key) const;
    const nlohmann::json& Required(std::string_view key) const;
    std::string String(std::string_view key) const;
    std::string OptionalString(std::string_view key, const std::string& fallback) const;
    long long Integer(std::string_view key, long long minimum, long long maximum) const;

private:
    const nlohmann::json& object_;
    std::string where_;
};

// A string, or an array of strings joined with line breaks (long SQL is easier to edit so).
std::string TextOrLines(const nlohmann::json& value, const std::string& where);

}  // namespace hostfw
