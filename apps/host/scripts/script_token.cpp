#include "scripts/script_token.h"

#include "scripts/script_error.h"

namespace host {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

class LineLexer {
public:
    explicit LineLexer(std::string_view line) : line_(line) {}

    std::vector<Token> Tokens() {
        std::vector<Token> tokens;
        SkipBlanks();
        if (!AtEnd() && line_[pos_] == '#')
            return tokens;  // a comment line
        while (!AtEnd()) {
            tokens.push_back(line_[pos_] == '"' ? Token{Token::Kind::Text, Quoted()} : Word());
            RequireSeparator();
            SkipBlanks();
        }
        return tokens;
    }

private:
    bool AtEnd() const { return pos_ >= line_.size(); }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(line_[pos_]))
            ++pos_;
    }

    void RequireSeparator() const {
        if (!AtEnd() && !IsBlank(line_[pos_])) {
            throw ScriptError("falta um espaço depois do texto entre aspas (coluna " +
                              std::to_string(pos_ + 1) + ").");
        }
    }

    Token Word() {
        Token token;
        while (!AtEnd() && !IsBlank(line_[pos_])) {
            const char c = line_[pos_];
            if (c == '"') {
                if (token.value.empty() || token.value.back() != '=') {
                    throw ScriptError("aspas no meio de uma palavra (coluna " +
                                      std::to_string(pos_ + 1) + ").");
                }
                token.value += Quoted();
                return token;
            }
            token.value += c;
            ++pos_;
        }
        return token;
    }

    // Reads "..." starting at the opening quote and returns the unescaped text.
    std::string Quoted() {
        const size_t opening = pos_++;
        std::string text;
        while (!AtEnd()) {
            const char c = line_[pos_++];
            if (c == '"')
                return text;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (AtEnd())
                break;
            text += Unescape(line_[pos_++]);
        }
        throw ScriptError("texto sem aspas de fechamento (aberto na coluna " +
                          std::to_string(opening + 1) + ").");
    }

    char Unescape(char c) const {
        switch (c) {
            case '"':
                return '"';
            case '\\':
                return '\\';
            case 'n':
                return '\n';
            case 't':
                return '\t';
            default:
                throw ScriptError(std::string("sequência de escape desconhecida '\\") + c +
                                  "' (coluna " + std::to_string(pos_) +
                                  "); use \\\" \\\\ \\n \\t.");
        }
    }

    std::string_view line_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<Token> TokenizeScriptLine(std::string_view line) {
    return LineLexer(line).Tokens();
}

std::string QuoteScriptText(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string ScriptTokenText(const Token& token) {
    return token.kind == Token::Kind::Text ? QuoteScriptText(token.value) : token.value;
}

}  // namespace host
