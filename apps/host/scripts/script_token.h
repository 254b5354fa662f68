#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

// One word of a script line. A Text token was written in double quotes and may hold blanks
// and escapes; a Word is everything else. `NAME="value"` is one Word whose quoted part is
// unescaped ("NAME=value").
struct Token {
    enum class Kind { Word, Text };
    Kind kind = Kind::Word;
    std::string value;

    friend bool operator==(const Token&, const Token&) = default;
};

// Splits a line into tokens. Escapes inside quotes: \" \\ \n \t. Raises ScriptError for an
// unterminated text, an unknown escape or a quote in the middle of a word.
std::vector<Token> TokenizeScriptLine(std::string_view line);

// A text as a script writes it: in double quotes, with the escapes above.
std::string QuoteScriptText(std::string_view text);

// A token as a script writes it: a Text quoted, a Word as it stands.
std::string ScriptTokenText(const Token& token);

}  // namespace host
