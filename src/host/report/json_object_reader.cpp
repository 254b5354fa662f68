#include "host/report/json_object_reader.h"

#include <algorithm>

namespace hostfw {

void ThrowDefinitionProblem(const std::string& where, const std::string& what) {
    throw DefinitionProblem{where.empty() ? what : where + ": " + what};
}

JsonObjectReader::JsonObjectReader(const nlohmann::json& object, std::string where,
                                   std::initializer_list<std::string_view> allowed)
    : object_(object), where_(std::move(where)) {
    if (!object_.is_object())
        ThrowDefinitionProblem(where_, "deveria ser um objeto JSON");
    for (const auto& [key, value] : object_.items()) {
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
            ThrowDefinitionProblem(where_, "chave desconhecida '" + key + "'");
        }
    }
}

std::string JsonObjectReader::Path(std::string_view key) const {
    return where_.empty() ? std::string(key) : where_ + "." + std::string(key);
}

bool JsonObjectReader::Has(std::string_view key) const {
    return object_.contains(key);
}

const nlohmann::json& JsonObjectReader::Required(std::string_view key) const {
    const auto found = object_.find(key);
    if (found == object_.end())
        ThrowDefinitionProblem(where_, "falta a chave '" + std::string(key) + "'");
    return *found;
}

std::string JsonObjectReader::String(std::string_view key) const {
    const nlohmann::json& value = Required(key);
    if (!value.is_string())
        ThrowDefinitionProblem(Path(key), "deveria ser um texto");
    return value.get<std::string>();
}

std::string JsonObjectReader::OptionalString(std::string_view key,
                                             const std::string& fallback) const {
    return Has(key) ? String(key) : fallback;
}

long long JsonObjectReader::Integer(std::string_view key, long long minimum,
                                    long long maximum) const {
    const nlohmann::json& value = Required(key);
    if (!value.is_number_integer() || value.get<long long>() < minimum ||
        value.get<long long>() > maximum) {
        ThrowDefinitionProblem(Path(key), "deveria ser um número inteiro de " +
                                              std::to_string(minimum) + " a " +
                                              std::to_string(maximum));
    }
    return value.get<long long>();
}

std::string TextOrLines(const nlohmann::json& value, const std::string& where) {
    if (value.is_string())
        return value.get<std::string>();
    if (!value.is_array())
        ThrowDefinitionProblem(where, "deveria ser um texto ou uma lista de linhas");
    std::string text;
    for (const nlohmann::json& line : value) {
        if (!line.is_string())
            ThrowDefinitionProblem(where, "cada linha deveria ser um texto");
        if (!text.empty())
            text += '\n';
        text += line.get<std::string>();
    }
    return text;
}

}  // namespace hostfw
