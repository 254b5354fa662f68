#include "scripts/script_value.h"

#include "host/core/date_time.h"
#include "host/net/call_argument_text.h"
#include "scripts/script_error.h"

namespace host {
namespace {

// A quoted text in its canonical spelling; anything else as written.
std::string Canonical(const std::string& value) {
    if (value.empty() || value.front() != '"')
        return value;
    try {
        const std::vector<Token> tokens = TokenizeScriptLine(value);
        if (tokens.size() == 1 && tokens.front().kind == Token::Kind::Text)
            return QuoteScriptText(tokens.front().value);
    } catch (const ScriptError&) {
        // Not a well-formed text: compare it as it stands.
    }
    return value;
}

}  // namespace

std::string ExpectedValueText(const std::vector<Token>& tokens) {
    if (tokens.empty())
        throw ScriptError("falta o valor esperado.");
    if (tokens.front().kind == Token::Kind::Text) {
        if (tokens.size() > 1)
            throw ScriptError("depois do texto esperado não cabe mais nada.");
        return QuoteScriptText(tokens.front().value);
    }
    std::string text;
    for (const Token& token : tokens) {
        if (token.kind == Token::Kind::Text)
            throw ScriptError("valor esperado mal formado: " + ScriptTokenText(token) + ".");
        text += (text.empty() ? "" : " ") + token.value;
    }
    if (text == "date(today)")
        return hostfw::CallArgumentText(hostfw::Variant(hostfw::DateOf(hostfw::Now())));
    return text;
}

bool SameScriptValue(const std::string& expected, const std::string& actual) {
    return Canonical(expected) == Canonical(actual);
}

}  // namespace host
