#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hostfw {

enum class EngineKind;

// One piece of a statement's text as the checks on it see it: blanks and comments are never
// tokens, and a string literal or quoted identifier is one token whatever it holds.
struct SqlToken {
    enum class Kind {
        Word,        // a bare name, keyword or number: SELECT, CDFILIAL, RDB$DATABASE, 12
        Parameter,   // ":P_NAME", colon included
        Literal,     // a string, quotes included: 'text', E'it\'s', $tag$text$tag$, q'{it's}'
        Identifier,  // a quoted name, quotes included: "name", [name], `name`, U&"name"
        Symbol,      // anything else, one character, or "::" (a PostgreSQL cast)
    };
    Kind kind;
    std::string_view text;  // a view into the statement
    std::size_t start;      // where it starts in the statement
};

// The tokens of a statement, in order, read as the engine reads it: each engine's quoting
// (PostgreSQL: E'...' with backslash escapes, $tag$...$tag$, nested /* */ comments; SQLite:
// [name] and `name`; Firebird: q'{...}' with a delimiter of the writer's choice). An
// unterminated literal, identifier or comment runs to the end of the text.
std::vector<SqlToken> SqlTokens(std::string_view sql, EngineKind engine);

// The name a Word or Identifier token stands for, quotes taken off and doubled quotes made one,
// in lower case (as a function name is looked up); empty for any other token, and for a
// PostgreSQL U&"..." name, whose escapes are not read.
std::string SqlName(const SqlToken& token);

// True for a Word token that is `word`, letter case ignored.
bool IsSqlWord(const SqlToken& token, std::string_view word);

}  // namespace hostfw
