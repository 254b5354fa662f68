#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scripts/script_token.h"

namespace host {

// Reads the arguments of one script line in order. Anything that does not fit the
// command's usage raises ScriptError quoting the usage.
class ArgumentReader {
public:
    ArgumentReader(std::vector<Token> arguments, std::string_view usage)
        : arguments_(std::move(arguments)), usage_(usage) {}

    bool AtEnd() const { return next_ >= arguments_.size(); }
    // The next argument, which must be a word (a name, a number, a keyword).
    std::string Word();
    // The next argument, which must be a quoted text.
    std::string Text();
    // The next argument, a word or a text.
    Token Any();
    // A whole number from min to max.
    int Integer(int min, int max);
    // true or false.
    bool Boolean();
    // One of the given words.
    std::string OneOf(const std::vector<std::string_view>& words);
    // Everything that is left.
    std::vector<Token> Rest();
    // Nothing may follow.
    void End() const;

    [[noreturn]] void Misused() const;

private:
    const Token& Take();

    std::vector<Token> arguments_;
    size_t next_ = 0;
    std::string_view usage_;
};

}  // namespace host
