#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace hostfw {

// One piece of a statement's text as the checks on it see it: blanks and comments are never
// tokens, and a string literal or quoted identifier is one token whatever it holds.
struct SqlToken {
    enum class Kind {
        Word,       // a bare name, keyword or number: SELECT, CDFILIAL, RDB$DATABASE, 12
        Parameter,  // ":P_NAME", colon included
        Quoted,     // 'text' or "name", quotes included (unterminated: up to the end)
        Symbol,     // anything else, one character, or "::" (a PostgreSQL cast)
    };
    Kind kind;
    std::string_view text;  // a view into the statement
    std::size_t start;      // where it starts in the statement
};

// The tokens of a statement, in order. An unterminated comment runs to the end of the text.
std::vector<SqlToken> SqlTokens(std::string_view sql);

}  // namespace hostfw
