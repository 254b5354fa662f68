#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace appserver {

// Bytes as lower-case hexadecimal digits, two per byte, and back. Tokens, digests and the
// escapes of a request's path are written this way.
std::string Hex(const unsigned char* bytes, std::size_t size);
// The value of one hexadecimal digit, either case; -1 when the character is none.
int HexDigitValue(char c);
// nullopt when the text is not whole pairs of hexadecimal digits.
std::optional<std::vector<unsigned char>> FromHex(const std::string& text);

}  // namespace appserver
