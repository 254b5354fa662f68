#include "host/core/csv_field.h"

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

std::string CsvField(std::string_view text) {
    std::string value = ReadAsFormula(text) ? "'" + std::string(text) : std::string(text);
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace hostfw
