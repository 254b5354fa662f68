#include "host/services/text_rules.h"

#include <algorithm>

#include "host/core/utf8.h"

namespace hostfw {

bool EmptyString(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '/'; }) &&
           std::count(text.begin(), text.end(), '/') <= 2;
}

std::string Ajusta(const std::string& text, int width) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string(static_cast<size_t>(std::max(width, 0)), '0');
    const size_t last = text.find_last_not_of(' ');
    std::string code = text.substr(first, last - first + 1);
    const size_t length = Utf8Length(code);
    if (width > 0 && length < static_cast<size_t>(width)) {
        code.insert(0, static_cast<size_t>(width) - length, '0');
    }
    return code;
}

std::string PictPess(const std::string& kind) {
    if (kind == "F")
        return "999.999.999-99";
    if (kind == "J")
        return "99.999.999/9999-99";
    return {};
}

std::string FormatMaskText(const std::string& mask, const std::string& value) {
    const size_t places = static_cast<size_t>(std::count(mask.begin(), mask.end(), '9'));
    const bool allDigits =
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (mask.empty() || !allDigits || value.size() != places)
        return value;
    std::string out;
    size_t next = 0;
    for (char m : mask)
        out += m == '9' ? value[next++] : m;
    return out;
}

}  // namespace hostfw
