#include "host/data/sql_parameters.h"

#include <strings.h>

#include <algorithm>
#include <optional>
#include <string>

#include "host/data/engine.h"
#include "host/data/sql_tokens.h"

namespace hostfw {
namespace {

// Position of a name in the list, letter case ignored as the parameter list does.
std::optional<size_t> IndexOfName(const std::vector<std::string>& names, std::string_view name) {
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& known) {
        return known.size() == name.size() &&
               strncasecmp(known.data(), name.data(), name.size()) == 0;
    });
    if (found == names.end())
        return std::nullopt;
    return static_cast<size_t>(found - names.begin());
}

// The statement with each parameter replaced by what `placeholder` gives for its name (without
// the colon); everything else is copied as written.
template <typename Placeholder>
std::string ReplaceParameters(std::string_view sql, EngineKind engine, Placeholder placeholder) {
    std::string out;
    out.reserve(sql.size());
    size_t copied = 0;
    for (const SqlToken& token : SqlTokens(sql, engine)) {
        if (token.kind != SqlToken::Kind::Parameter)
            continue;
        out.append(sql.substr(copied, token.start - copied));
        out += placeholder(token.text.substr(1));
        copied = token.start + token.text.size();
    }
    out.append(sql.substr(copied));
    return out;
}

}  // namespace

std::vector<std::string> DeclaredParameters(std::string_view sql, EngineKind engine) {
    std::vector<std::string> names;
    for (const SqlToken& token : SqlTokens(sql, engine)) {
        const std::string_view name = token.text.substr(1);  // past the ':'
        if (token.kind == SqlToken::Kind::Parameter && !IndexOfName(names, name))
            names.emplace_back(name);
    }
    return names;
}

std::string NumberedParameters(std::string_view sql) {
    std::vector<std::string> names;
    return ReplaceParameters(sql, EngineKind::PostgreSQL, [&](std::string_view name) {
        auto index = IndexOfName(names, name);
        if (!index) {
            index = names.size();
            names.emplace_back(name);
        }
        return "$" + std::to_string(*index + 1);
    });
}

PositionalStatement PositionalParameters(std::string_view sql) {
    PositionalStatement statement;
    statement.text = ReplaceParameters(sql, EngineKind::Firebird, [&](std::string_view name) {
        statement.names.emplace_back(name);
        return std::string("?");
    });
    return statement;
}

}  // namespace hostfw
