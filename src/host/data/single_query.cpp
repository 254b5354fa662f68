#include "host/data/single_query.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "host/data/sql_tokens.h"

namespace hostfw {
namespace {

// Words that only a statement that writes holds: a data-changing part of a WITH, or
// SELECT ... INTO, which creates a table.
constexpr std::string_view kWritingWords[] = {"INSERT", "UPDATE", "DELETE", "MERGE", "INTO"};

bool IsWord(const SqlToken& token, std::string_view word) {
    return token.kind == SqlToken::Kind::Word && token.text.size() == word.size() &&
           strncasecmp(token.text.data(), word.data(), word.size()) == 0;
}

bool IsSymbol(const SqlToken& token, char symbol) {
    return token.kind == SqlToken::Kind::Symbol && token.text.size() == 1 &&
           token.text[0] == symbol;
}

}  // namespace

std::optional<std::string> SingleQueryProblem(std::string_view sql) {
    std::vector<SqlToken> tokens = SqlTokens(sql);
    while (!tokens.empty() && IsSymbol(tokens.back(), ';'))
        tokens.pop_back();
    if (std::any_of(tokens.begin(), tokens.end(),
                    [](const SqlToken& token) { return IsSymbol(token, ';'); })) {
        return "deveria ser uma única consulta, mas tem mais de um comando";
    }
    const auto first = std::find_if(tokens.begin(), tokens.end(),
                                    [](const SqlToken& token) { return !IsSymbol(token, '('); });
    if (first == tokens.end() || !(IsWord(*first, "SELECT") || IsWord(*first, "WITH")))
        return "deveria ser uma consulta (SELECT ou WITH ... SELECT)";
    for (const SqlToken& token : tokens) {
        for (const std::string_view word : kWritingWords) {
            if (IsWord(token, word)) {
                return "deveria só ler dados, mas usa " + std::string(word);
            }
        }
    }
    return std::nullopt;
}

}  // namespace hostfw
