#include "host/data/sql_tokens.h"

namespace hostfw {
namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
// "$" inside a name is Firebird's system prefix (RDB$DATABASE) and valid in PostgreSQL too.
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Position just past a quoted run opened at `open`; a doubled quote is the quote itself.
std::size_t SkipQuoted(std::string_view sql, std::size_t open) {
    const char quote = sql[open];
    std::size_t i = open + 1;
    while (i < sql.size()) {
        if (sql[i] != quote) {
            ++i;
        } else if (i + 1 < sql.size() && sql[i + 1] == quote) {
            i += 2;
        } else {
            return i + 1;
        }
    }
    return sql.size();
}

// Position just past a comment starting at `start`, or `start` when none does.
std::size_t SkipComment(std::string_view sql, std::size_t start) {
    const std::string_view rest = sql.substr(start);
    std::size_t end = std::string_view::npos;
    if (rest.starts_with("--")) {
        end = sql.find('\n', start);
    } else if (rest.starts_with("/*")) {
        end = sql.find("*/", start + 2);
        end = end == std::string_view::npos ? end : end + 2;
    } else {
        return start;
    }
    return end == std::string_view::npos ? sql.size() : end;
}

std::size_t TokenEnd(std::string_view sql, std::size_t i, SqlToken::Kind& kind) {
    const char c = sql[i];
    const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
    std::size_t end = i + 1;
    kind = SqlToken::Kind::Symbol;
    if (c == '\'' || c == '"') {
        kind = SqlToken::Kind::Quoted;
        end = SkipQuoted(sql, i);
    } else if (c == ':' && next == ':') {
        end = i + 2;
    } else if (c == ':' && IsNameStart(next)) {
        kind = SqlToken::Kind::Parameter;
        end = i + 2;
    } else if (IsNameChar(c)) {
        kind = SqlToken::Kind::Word;
    }
    if (kind == SqlToken::Kind::Word || kind == SqlToken::Kind::Parameter) {
        while (end < sql.size() && IsNameChar(sql[end]))
            ++end;
    }
    return end;
}

}  // namespace

std::vector<SqlToken> SqlTokens(std::string_view sql) {
    std::vector<SqlToken> tokens;
    std::size_t i = 0;
    while (i < sql.size()) {
        if (IsBlank(sql[i])) {
            ++i;
        } else if (const std::size_t past = SkipComment(sql, i); past != i) {
            i = past;
        } else {
            SqlToken::Kind kind{};
            const std::size_t end = TokenEnd(sql, i, kind);
            tokens.push_back(SqlToken{kind, sql.substr(i, end - i), i});
            i = end;
        }
    }
    return tokens;
}

}  // namespace hostfw
