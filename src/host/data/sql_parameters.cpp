#include "host/data/sql_parameters.h"

#include <strings.h>

#include <algorithm>
#include <optional>
#include <string>

namespace hostfw {
namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// Position just past a quoted run opened at `open`; a doubled quote is the quote itself.
// An unterminated run reaches the end of the text.
size_t SkipQuoted(std::string_view sql, size_t open) {
    const char quote = sql[open];
    size_t i = open + 1;
    while (i < sql.size()) {
        if (sql[i] != quote) {
            ++i;
        } else if (i + 1 < sql.size() && sql[i + 1] == quote) {
            i += 2;
        } else {
            return i + 1;
        }
    }
    return sql.size();
}

size_t SkipLineComment(std::string_view sql, size_t start) {
    const size_t end = sql.find('\n', start);
    return end == std::string_view::npos ? sql.size() : end;
}

size_t SkipBlockComment(std::string_view sql, size_t start) {
    const size_t end = sql.find("*/", start + 2);
    return end == std::string_view::npos ? sql.size() : end + 2;
}

// Calls onParameter(name, start, end) for every ":NAME" outside literals and comments,
// in order; [start, end) covers the colon and the name.
template <typename OnParameter>
void ScanParameters(std::string_view sql, OnParameter onParameter) {
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        if (c == '\'' || c == '"') {
            i = SkipQuoted(sql, i);
        } else if (c == '-' && next == '-') {
            i = SkipLineComment(sql, i);
        } else if (c == '/' && next == '*') {
            i = SkipBlockComment(sql, i);
        } else if (c == ':' && next == ':') {
            i += 2;
        } else if (c == ':' && IsNameStart(next)) {
            size_t end = i + 2;
            while (end < sql.size() && IsNameChar(sql[end]))
                ++end;
            onParameter(sql.substr(i + 1, end - i - 1), i, end);
            i = end;
        } else {
            ++i;
        }
    }
}

// Position of a name in the list, letter case ignored as the parameter list does.
std::optional<size_t> IndexOfName(const std::vector<std::string>& names, std::string_view name) {
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& known) {
        return known.size() == name.size() &&
               strncasecmp(known.data(), name.data(), name.size()) == 0;
    });
    if (found == names.end())
        return std::nullopt;
    return static_cast<size_t>(found - names.begin());
}

}  // namespace

std::vector<std::string> DeclaredParameters(std::string_view sql) {
    std::vector<std::string> names;
    ScanParameters(sql, [&](std::string_view name, size_t, size_t) {
        if (!IndexOfName(names, name))
            names.emplace_back(name);
    });
    return names;
}

std::string NumberedParameters(std::string_view sql) {
    std::vector<std::string> names;
    std::string out;
    out.reserve(sql.size());
    size_t copied = 0;
    ScanParameters(sql, [&](std::string_view name, size_t start, size_t end) {
        auto index = IndexOfName(names, name);
        if (!index) {
            index = names.size();
            names.emplace_back(name);
        }
        out.append(sql.substr(copied, start - copied));
        out += '$';
        out += std::to_string(*index + 1);
        copied = end;
    });
    out.append(sql.substr(copied));
    return out;
}

}  // namespace hostfw
