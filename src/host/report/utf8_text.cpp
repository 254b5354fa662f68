#include "host/report/utf8_text.h"

#include <cstdint>

#include "host/core/utf8.h"

namespace hostfw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kEllipsis = "…";

struct Decoded {
    char32_t codePoint;
    std::size_t length;
    bool valid;
};

// One code point from the front of the text; an invalid sequence counts as a single byte.
Decoded DecodeFront(std::string_view text) {
    const auto lead = static_cast<std::uint8_t>(text[0]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return {kReplacement, 1, false};
    }
    if (text.size() < length)
        return {kReplacement, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[i]);
        if ((next & 0xC0) != 0x80)
            return {kReplacement, 1, false};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) {
        return {kReplacement, 1, false};
    }
    return {codePoint, length, true};
}

bool IsControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

bool IsZeroWidth(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
           (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
           (cp >= 0xFE20 && cp <= 0xFE2F) || (cp >= 0x200B && cp <= 0x200F) || cp == 0xFEFF;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) ||
           (cp >= 0x1F900 && cp <= 0x1F9FF) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

std::size_t WidthOf(char32_t cp) {
    if (IsZeroWidth(cp))
        return 0;
    return IsWide(cp) ? 2 : 1;
}

// Printable ASCII (blank to tilde): what nearly every value is, and what SingleLine leaves as
// it is, so it can skip decoding it.
bool IsPrintableAscii(std::string_view text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E)  // char may be signed: bytes above 0x7F are negative
            return false;
    }
    return true;
}

// Calls visit(codePoint, bytes) for each code point; invalid bytes arrive as U+FFFD.
template <typename Visit>
void ForEachCodePoint(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const Decoded d = DecodeFront(text);
        visit(d, text.substr(0, d.length));
        text.remove_prefix(d.length);
    }
}

}  // namespace

std::string SingleLine(std::string_view text) {
    if (IsPrintableAscii(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](const Decoded& d, std::string_view bytes) {
        if (IsControl(d.codePoint)) {
            out += ' ';
        } else if (d.valid) {
            out += bytes;
        } else {
            out += Utf8Encode(kReplacement);
        }
    });
    return out;
}

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t width = 0;
    ForEachCodePoint(utf8,
                     [&](const Decoded& d, std::string_view) { width += WidthOf(d.codePoint); });
    return width;
}

std::string FitToWidth(std::string_view utf8, std::size_t width, TextAlign align) {
    const std::size_t textWidth = DisplayWidth(utf8);
    if (textWidth > width) {
        // Keep what fits in width - 1 columns, combining marks included, then the ellipsis.
        const std::size_t room = width == 0 ? 0 : width - 1;
        std::string out;
        std::size_t used = 0;
        bool full = false;
        ForEachCodePoint(utf8, [&](const Decoded& d, std::string_view bytes) {
            const std::size_t w = WidthOf(d.codePoint);
            if (full || used + w > room) {
                full = true;
                return;
            }
            out += d.valid ? std::string(bytes) : Utf8Encode(kReplacement);
            used += w;
        });
        if (width == 0)
            return {};
        return out + std::string(room - used, ' ') + std::string(kEllipsis);
    }
    const std::size_t gap = width - textWidth;
    const std::size_t before = align == TextAlign::Right    ? gap
                               : align == TextAlign::Center ? gap / 2
                                                            : 0;
    return std::string(before, ' ') + std::string(utf8) + std::string(gap - before, ' ');
}

}  // namespace hostfw
