#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostfw::dfm {

using Bytes = std::vector<std::uint8_t>;

enum class TokenKind { Identifier, Integer, Float, String, Binary, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    // Identifier (dots included: Font.Style), the decoded String, or the one Symbol character.
    std::string text;
    std::int64_t integer = 0;
    double number = 0;
    Bytes bytes;
    int line = 1;
    int column = 1;
};

// Splits a stored definition into tokens. Adjacent quoted pieces and #NNN codes form one
// String token, as the format writes 'a'#13#10'b'; the '+' between pieces on different
// lines is left to the parser. Columns count characters, not bytes.
class Lexer {
public:
    Lexer(std::string_view text, std::string_view sourceName);

    Token Next();

    // "source, linha L, coluna C: what", raised as hostfw::Exception.
    [[noreturn]] void Fail(int line, int column, const std::string& what) const;

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const;
    void Advance();
    void SkipBlanks();

    Token ReadIdentifier(Token token);
    Token ReadNumber(Token token);
    Token ReadString(Token token);
    Token ReadBinary(Token token);
    void ReadQuoted(std::string& out, int line, int column);
    char32_t ReadCharCode();
    char32_t ReadCodeUnit();
    std::string CharacterHere() const;

    std::string_view text_;
    std::string sourceName_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
};

}  // namespace hostfw::dfm
