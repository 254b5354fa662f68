#include "host/wire/internal/json_text.h"

#include <charconv>
#include <cmath>

#include "host/core/exception.h"
#include "host/wire/internal/variant_json.h"

namespace hostfw::wire {
namespace {

[[noreturn]] void RefuseEncoding() {
    throw Exception("Texto com codificação inválida (não é UTF-8) não pode ser enviado.");
}

// The length of the well-formed UTF-8 sequence that starts at text[at] (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    const auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char second = byte(1);
        const bool inRange = (lead == 0xE0 && second >= 0xA0) || (lead == 0xED && second < 0xA0) ||
                             (lead != 0xE0 && lead != 0xED);
        return continuation(1) && inRange && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char second = byte(1);
        const bool inRange = (lead == 0xF0 && second >= 0x90) || (lead == 0xF4 && second < 0x90) ||
                             (lead != 0xF0 && lead != 0xF4);
        return continuation(1) && inRange && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0;  // start of the run not yet written
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = SequenceLength(text, i);
            if (length == 0)
                RefuseEncoding();
            i += length;
            continue;
        }
        if (c >= 0x20 && c != '"' && c != '\\') {
            ++i;
            continue;
        }
        out.append(text.substr(plain, i - plain));
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
        }
        plain = ++i;
    }
    out.append(text.substr(plain));
    out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, FiniteForWire(value)).ptr;
    out.append(buffer, end);
    // Written as an integer it would read back as one; the library writes "2.0" too.
    if (std::string_view(buffer, static_cast<std::size_t>(end - buffer)).find_first_of(".e") ==
        std::string_view::npos) {
        out += ".0";
    }
}

}  // namespace hostfw::wire
