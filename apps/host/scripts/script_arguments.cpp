#include "scripts/script_arguments.h"

#include <charconv>

#include "scripts/script_error.h"

namespace host {

void ArgumentReader::Misused() const {
    throw ScriptError("uso: " + std::string(usage_));
}

const Token& ArgumentReader::Take() {
    if (AtEnd())
        Misused();
    return arguments_[next_++];
}

std::string ArgumentReader::Word() {
    const Token& token = Take();
    if (token.kind != Token::Kind::Word)
        Misused();
    return token.value;
}

std::string ArgumentReader::Text() {
    const Token& token = Take();
    if (token.kind != Token::Kind::Text)
        Misused();
    return token.value;
}

Token ArgumentReader::Any() {
    return Take();
}

int ArgumentReader::Integer(int min, int max) {
    const std::string word = Word();
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max) {
        throw ScriptError("esperado um número de " + std::to_string(min) + " a " +
                          std::to_string(max) + ", não '" + word +
                          "'; uso: " + std::string(usage_));
    }
    return value;
}

bool ArgumentReader::Boolean() {
    return OneOf({"true", "false"}) == "true";
}

std::string ArgumentReader::OneOf(const std::vector<std::string_view>& words) {
    const std::string word = Word();
    for (std::string_view allowed : words) {
        if (word == allowed)
            return word;
    }
    Misused();
}

std::vector<Token> ArgumentReader::Rest() {
    std::vector<Token> rest(arguments_.begin() + static_cast<std::ptrdiff_t>(next_),
                            arguments_.end());
    next_ = arguments_.size();
    return rest;
}

void ArgumentReader::End() const {
    if (!AtEnd())
        Misused();
}

}  // namespace host
