#include "host/data/sql_tokens.h"

#include <strings.h>

#include <cctype>

#include "host/data/engine.h"

namespace hostfw {
namespace {

// The engines take any byte of a UTF-8 sequence as a letter of a name, and "$" inside one.
bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
// "$" inside a name is Firebird's system prefix (RDB$DATABASE) and valid in PostgreSQL too.
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

class Tokenizer {
public:
    Tokenizer(std::string_view sql, EngineKind engine)
        : sql_(sql),
          postgres_(engine == EngineKind::PostgreSQL),
          sqlite_(engine == EngineKind::SQLite),
          firebird_(engine == EngineKind::Firebird) {}

    std::vector<SqlToken> Tokens() {
        std::vector<SqlToken> tokens;
        std::size_t i = 0;
        while (i < sql_.size()) {
            if (IsBlank(sql_[i])) {
                ++i;
            } else if (const std::size_t past = SkipComment(i); past != i) {
                i = past;
            } else {
                SqlToken::Kind kind{};
                const std::size_t end = TokenEnd(i, kind);
                tokens.push_back(SqlToken{kind, sql_.substr(i, end - i), i});
                i = end;
            }
        }
        return tokens;
    }

private:
    char At(std::size_t i) const { return i < sql_.size() ? sql_[i] : '\0'; }

    // Past a run opened at `open` and closed by `close`; a doubled closing character stands for
    // itself, and where `backslash` holds, a backslash takes the next character as it is.
    std::size_t SkipQuoted(std::size_t open, char close, bool backslash = false) const {
        std::size_t i = open + 1;
        while (i < sql_.size()) {
            if (backslash && sql_[i] == '\\') {
                i += 2;
            } else if (sql_[i] != close) {
                ++i;
            } else if (At(i + 1) == close && close != ']') {
                i += 2;
            } else {
                return i + 1;
            }
        }
        return sql_.size();
    }

    // Past a PostgreSQL dollar-quoted string ($$...$$, $tag$...$tag$) opened at `open`; `open`
    // itself when none starts there ("$1" is a parameter of the server's own).
    std::size_t SkipDollarQuoted(std::size_t open) const {
        std::size_t tagEnd = open + 1;
        if (At(tagEnd) != '$') {
            if (!IsNameStart(At(tagEnd)))
                return open;
            while (IsNameChar(At(tagEnd)) && At(tagEnd) != '$')
                ++tagEnd;
            if (At(tagEnd) != '$')
                return open;
        }
        const std::string_view tag = sql_.substr(open, tagEnd + 1 - open);
        const std::size_t close = sql_.find(tag, tagEnd + 1);
        return close == std::string_view::npos ? sql_.size() : close + tag.size();
    }

    // Past a Firebird q-literal (q'{it's}', Q'!text!') whose quote is at `quote`: the character
    // after the quote opens it, and its partner (or itself) followed by a quote closes it.
    std::size_t SkipAlternativeQuoted(std::size_t quote) const {
        const char open = At(quote + 1);
        if (open == '\0')
            return sql_.size();
        const std::string_view pairs = "(){}[]<>";
        const std::size_t pair = pairs.find(open);
        const char close = pair != std::string_view::npos && pair % 2 == 0 ? pairs[pair + 1] : open;
        for (std::size_t i = quote + 2; i < sql_.size(); ++i) {
            if (sql_[i] == close && At(i + 1) == '\'')
                return i + 2;
        }
        return sql_.size();
    }

    // Past a comment starting at `start`, or `start` when none does. PostgreSQL nests block
    // comments; SQLite and Firebird end one at the first "*/".
    std::size_t SkipComment(std::size_t start) const {
        if (At(start) == '-' && At(start + 1) == '-') {
            const std::size_t end = sql_.find('\n', start);
            return end == std::string_view::npos ? sql_.size() : end;
        }
        if (At(start) != '/' || At(start + 1) != '*')
            return start;
        int depth = 0;
        std::size_t i = start;
        while (i < sql_.size()) {
            if (At(i) == '/' && At(i + 1) == '*' && (postgres_ || depth == 0)) {
                ++depth;
                i += 2;
            } else if (At(i) == '*' && At(i + 1) == '/') {
                i += 2;
                if (--depth == 0)
                    return i;
            } else {
                ++i;
            }
        }
        return sql_.size();
    }

    std::size_t TokenEnd(std::size_t i, SqlToken::Kind& kind) const {
        const char c = sql_[i];
        const char next = At(i + 1);
        kind = SqlToken::Kind::Literal;
        if (c == '\'')
            return SkipQuoted(i, '\'');
        if (postgres_ && (c == 'E' || c == 'e') && next == '\'')
            return SkipQuoted(i + 1, '\'', true);
        if (firebird_ && (c == 'q' || c == 'Q') && next == '\'')
            return SkipAlternativeQuoted(i + 1);
        if (postgres_ && c == '$') {
            if (const std::size_t end = SkipDollarQuoted(i); end != i)
                return end;
        }
        kind = SqlToken::Kind::Identifier;
        if (c == '"')
            return SkipQuoted(i, '"');
        if (postgres_ && (c == 'U' || c == 'u') && next == '&' && At(i + 2) == '"')
            return SkipQuoted(i + 2, '"');
        if (sqlite_ && c == '[')
            return SkipQuoted(i, ']');
        if (sqlite_ && c == '`')
            return SkipQuoted(i, '`');
        kind = SqlToken::Kind::Symbol;
        std::size_t end = i + 1;
        if (c == ':' && next == ':')
            return i + 2;
        if (c == ':' && IsNameStart(next)) {
            kind = SqlToken::Kind::Parameter;
            ++end;
        } else if (IsNameChar(c) && c != '$') {
            kind = SqlToken::Kind::Word;
        } else {
            return end;
        }
        while (end < sql_.size() && IsNameChar(sql_[end]))
            ++end;
        return end;
    }

    std::string_view sql_;
    bool postgres_;
    bool sqlite_;
    bool firebird_;
};

}  // namespace

std::vector<SqlToken> SqlTokens(std::string_view sql, EngineKind engine) {
    return Tokenizer(sql, engine).Tokens();
}

std::string SqlName(const SqlToken& token) {
    std::string_view text = token.text;
    if (token.kind == SqlToken::Kind::Identifier) {
        if (text.front() == 'U' || text.front() == 'u')
            return std::string();
        const char close = text.front() == '[' ? ']' : text.front();
        text.remove_prefix(1);
        if (!text.empty() && text.back() == close)
            text.remove_suffix(1);
    } else if (token.kind != SqlToken::Kind::Word) {
        return std::string();
    }
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        // A doubled quote inside a quoted name is one quote.
        if (token.kind == SqlToken::Kind::Identifier && i + 1 < text.size() &&
            text[i] == text[i + 1] && (text[i] == '"' || text[i] == '`'))
            ++i;
    }
    return name;
}

bool IsSqlWord(const SqlToken& token, std::string_view word) {
    return token.kind == SqlToken::Kind::Word && token.text.size() == word.size() &&
           strncasecmp(token.text.data(), word.data(), word.size()) == 0;
}

}  // namespace hostfw
