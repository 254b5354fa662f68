#include "host/view/search_text.h"

#include <array>

namespace hostfw::view {
namespace {

// U+00C0 to U+00FF folded: the base letter of an accented one in lower case, anything else
// (×, ÷, ß, æ, ð, þ) kept as its two bytes (marked 0).
constexpr std::array<char, 64> kLatin1Letters = {
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // C0-CF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   0,    // D0-DF
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // E0-EF
    0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   'y',  // F0-FF
};

}  // namespace

void FoldForSearch(std::string& text) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        const auto byte = static_cast<unsigned char>(text[in]);
        if (byte >= 'A' && byte <= 'Z') {
            text[out++] = static_cast<char>(byte + ('a' - 'A'));
        } else if (byte == 0xC3 && in + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[in + 1]);
            const char base = next >= 0x80 && next <= 0xBF ? kLatin1Letters[next - 0x80] : 0;
            if (base != 0) {
                text[out++] = base;
            } else {
                text[out++] = text[in];
                text[out++] = text[in + 1];
            }
            ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

}  // namespace hostfw::view
