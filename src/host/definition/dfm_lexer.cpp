#include "host/definition/dfm_lexer.h"

#include <charconv>
#include <string_view>

#include "host/core/exception.h"

namespace hostfw::dfm {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSymbols = "=:[](),<>+";
constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Plain ASCII tests: the <cctype> ones follow the locale and may accept UTF-8 bytes.
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsIdentifierChar(char c) {
    return IsLetter(c) || IsDigit(c);
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    return (c | 0x20) - 'a' + 10;
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
    auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

}  // namespace

Lexer::Lexer(std::string_view text, std::string_view sourceName)
    : text_(text), sourceName_(sourceName) {
    if (text_.starts_with(kByteOrderMark)) {
        pos_ = kByteOrderMark.size();
    }
}

void Lexer::Fail(int line, int column, const std::string& what) const {
    throw Exception(sourceName_ + ", linha " + std::to_string(line) + ", coluna " +
                    std::to_string(column) + ": " + what);
}

char Lexer::Peek(std::size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

void Lexer::Advance() {
    if (text_[pos_] == '\n') {
        ++line_;
        column_ = 1;
    } else if (!IsContinuationByte(text_[pos_])) {
        ++column_;
    }
    ++pos_;
}

void Lexer::SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) {
        Advance();
    }
}

// The whole character at the current position, printable in a message.
std::string Lexer::CharacterHere() const {
    const auto lead = static_cast<unsigned char>(Peek());
    if (lead < 0x20 || lead == 0x7F) {
        return "#" + std::to_string(lead);
    }
    std::size_t length = 1;
    while (pos_ + length < text_.size() && IsContinuationByte(text_[pos_ + length])) {
        ++length;
    }
    return "'" + std::string(text_.substr(pos_, length)) + "'";
}

Token Lexer::Next() {
    SkipBlanks();
    Token token;
    token.line = line_;
    token.column = column_;
    if (AtEnd()) {
        return token;
    }
    const char c = Peek();
    if (IsLetter(c)) {
        return ReadIdentifier(std::move(token));
    }
    if (IsDigit(c) || c == '$' || (c == '-' && IsDigit(Peek(1)))) {
        return ReadNumber(std::move(token));
    }
    if (c == '\'' || c == '#') {
        return ReadString(std::move(token));
    }
    if (c == '{') {
        return ReadBinary(std::move(token));
    }
    if (kSymbols.find(c) != std::string_view::npos) {
        token.kind = TokenKind::Symbol;
        token.text = std::string(1, c);
        Advance();
        return token;
    }
    Fail(line_, column_, "caractere inesperado " + CharacterHere());
}

// A dotted name (Font.Style, dtmDBGeral.adcGeral) is one token.
Token Lexer::ReadIdentifier(Token token) {
    const std::size_t start = pos_;
    do {
        if (Peek() == '.') {
            Advance();
        }
        while (IsIdentifierChar(Peek())) {
            Advance();
        }
    } while (Peek() == '.' && IsLetter(Peek(1)));
    token.kind = TokenKind::Identifier;
    token.text = std::string(text_.substr(start, pos_ - start));
    return token;
}

Token Lexer::ReadNumber(Token token) {
    const std::size_t start = pos_;
    const bool hex = Peek() == '$';
    bool isFloat = false;
    if (hex) {
        Advance();
        while (IsHexDigit(Peek())) {
            Advance();
        }
    } else {
        if (Peek() == '-') {
            Advance();
        }
        while (IsDigit(Peek())) {
            Advance();
        }
        if (Peek() == '.' && IsDigit(Peek(1))) {
            isFloat = true;
            Advance();
            while (IsDigit(Peek())) {
                Advance();
            }
        }
        const char sign = Peek(1);
        if ((Peek() == 'e' || Peek() == 'E') &&
            (IsDigit(sign) || ((sign == '-' || sign == '+') && IsDigit(Peek(2))))) {
            isFloat = true;
            Advance();
            Advance();
            while (IsDigit(Peek())) {
                Advance();
            }
        }
    }
    // Swallow what sticks to the number, so the message shows the whole bad word.
    while (IsIdentifierChar(Peek()) || Peek() == '.') {
        Advance();
    }
    const std::string_view written = text_.substr(start, pos_ - start);
    const char* first = written.data() + (hex ? 1 : 0);
    const char* last = written.data() + written.size();
    std::from_chars_result result{};
    if (isFloat) {
        token.kind = TokenKind::Float;
        result = std::from_chars(first, last, token.number);
    } else {
        token.kind = TokenKind::Integer;
        result = std::from_chars(first, last, token.integer, hex ? 16 : 10);
    }
    if (result.ec == std::errc::result_out_of_range) {
        Fail(token.line, token.column, "número fora do intervalo: " + std::string(written));
    }
    if (result.ec != std::errc{} || result.ptr != last) {
        Fail(token.line, token.column, "número inválido: " + std::string(written));
    }
    return token;
}

// 'It''s' #13#10 'next': quoted pieces and character codes glued without blanks.
Token Lexer::ReadString(Token token) {
    token.kind = TokenKind::String;
    for (;;) {
        if (Peek() == '\'') {
            ReadQuoted(token.text, line_, column_);
        } else if (Peek() == '#') {
            AppendUtf8(token.text, ReadCharCode());
        } else {
            return token;
        }
    }
}

void Lexer::ReadQuoted(std::string& out, int line, int column) {
    Advance();
    for (;;) {
        if (AtEnd() || Peek() == '\n' || Peek() == '\r') {
            Fail(line, column, "texto sem o apóstrofo de fechamento");
        }
        if (Peek() == '\'') {
            Advance();
            if (Peek() != '\'') {
                return;
            }
        }
        out.push_back(Peek());
        Advance();
    }
}

// Codes above #65535 come as UTF-16 pairs from older writers; a pair makes one character.
char32_t Lexer::ReadCharCode() {
    const int line = line_;
    const int column = column_;
    const char32_t code = ReadCodeUnit();
    if (IsLowSurrogate(code)) {
        Fail(line, column, "código de caractere #" + std::to_string(code) + " inválido");
    }
    if (!IsHighSurrogate(code)) {
        return code;
    }
    const char32_t low = Peek() == '#' ? ReadCodeUnit() : 0;
    if (!IsLowSurrogate(low)) {
        Fail(line, column,
             "código de caractere #" + std::to_string(code) + " sem a sua segunda metade");
    }
    return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
}

// #NNN or #$HHHH.
char32_t Lexer::ReadCodeUnit() {
    const int line = line_;
    const int column = column_;
    Advance();
    const bool hex = Peek() == '$';
    if (hex) {
        Advance();
    }
    const int base = hex ? 16 : 10;
    char32_t code = 0;
    bool tooLarge = false;
    int digits = 0;
    while (hex ? IsHexDigit(Peek()) : IsDigit(Peek())) {
        code = code * base + HexValue(Peek());
        tooLarge = tooLarge || code > kMaxCodePoint;
        if (tooLarge) {
            code = 0;
        }
        ++digits;
        Advance();
    }
    if (digits == 0) {
        Fail(line, column, "esperado o número do caractere depois de '#'");
    }
    if (tooLarge) {
        Fail(line, column, "código de caractere fora do intervalo");
    }
    return code;
}

Token Lexer::ReadBinary(Token token) {
    token.kind = TokenKind::Binary;
    Advance();
    int pendingNibble = -1;
    for (;;) {
        SkipBlanks();
        if (AtEnd()) {
            Fail(token.line, token.column, "dados binários sem o '}' de fechamento");
        }
        const char c = Peek();
        if (c == '}') {
            Advance();
            break;
        }
        if (!IsHexDigit(c)) {
            Fail(line_, column_, "caractere " + CharacterHere() + " inválido em dados binários");
        }
        if (pendingNibble < 0) {
            pendingNibble = HexValue(c);
        } else {
            token.bytes.push_back(static_cast<std::uint8_t>(pendingNibble * 16 + HexValue(c)));
            pendingNibble = -1;
        }
        Advance();
    }
    if (pendingNibble >= 0) {
        Fail(token.line, token.column, "dados binários com número ímpar de dígitos hexadecimais");
    }
    return token;
}

}  // namespace hostfw::dfm
