#include "media_type.h"

#include <strings.h>

#include <string>

namespace appserver {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// "application/json; charset=utf-8" gives "application/json".
std::string_view MediaRange(std::string_view item) {
    return Trimmed(item.substr(0, item.find(';')));
}

bool RefusedByQuality(std::string_view item) {
    for (auto semicolon = item.find(';'); semicolon != std::string_view::npos;
         semicolon = item.find(';', semicolon + 1)) {
        const std::string_view parameter =
            Trimmed(item.substr(semicolon + 1, item.find(';', semicolon + 1) - semicolon - 1));
        if (parameter.size() > 2 && EqualsIgnoringCase(parameter.substr(0, 2), "q=")) {
            const std::string_view value = parameter.substr(2);
            return value.find_first_not_of("0.") == std::string_view::npos;
        }
    }
    return false;
}

}  // namespace

bool IsJsonContentType(std::string_view contentType) {
    return Trimmed(contentType).empty() ||
           EqualsIgnoringCase(MediaRange(contentType), "application/json");
}

bool AcceptsJson(std::string_view accept) {
    if (Trimmed(accept).empty())
        return true;
    while (!accept.empty()) {
        const auto comma = accept.find(',');
        const std::string_view item = accept.substr(0, comma);
        const std::string_view range = MediaRange(item);
        if ((range == "*/*" || EqualsIgnoringCase(range, "application/*") ||
             EqualsIgnoringCase(range, "application/json")) &&
            !RefusedByQuality(item)) {
            return true;
        }
        if (comma == std::string_view::npos)
            break;
        accept.remove_prefix(comma + 1);
    }
    return false;
}

}  // namespace appserver
