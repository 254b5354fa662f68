#include "host/core/csv_field.h"

#include <algorithm>

namespace hostfw {
namespace {

// A number as the report writes it ("-1.234,56"): it may start with a sign and stays a number.
bool IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789.,") == std::string_view::npos;
}

// A spreadsheet reads a cell that starts with one of these as a formula. Text from the
// database (a client's name) must never run as one, so it gets a leading apostrophe, which
// spreadsheets take as "this is text" and do not show.
bool ReadAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !IsNumber(text);
}

}  // namespace

std::string CsvField(std::string_view text, char separator) {
    std::string field;
    AppendCsvField(field, text, separator);
    return field;
}

void AppendCsvField(std::string& out, std::string_view text, char separator) {
    // A plain loop: find_first_of searches the four characters once per character of the text.
    const bool quoted = std::any_of(text.begin(), text.end(), [separator](char c) {
        return c == separator || c == '"' || c == '\r' || c == '\n';
    });
    if (quoted)
        out += '"';
    if (ReadAsFormula(text))
        out += '\'';
    if (!quoted) {
        out += text;
        return;
    }
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace hostfw
