#include "host/net/call_argument_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/core/date_time.h"

namespace hostfw {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

std::string NumberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool IsCalendarDate(double days) {
    static const double first = DaysFromCivil({1, 1, 1});
    static const double last = DaysFromCivil({9999, 12, 31}) + 1;
    return std::isfinite(days) && days >= first && days < last;
}

std::string DateText(TDateTime value) {
    if (!IsCalendarDate(value.value))
        return NumberText(value.value);
    // Rounded to the second, so 23:59:59.6 becomes midnight of the next day.
    const DaySeconds split = SplitToSeconds(value);
    std::string text = "date(" + DateToIso(TDateTime{static_cast<double>(split.day)});
    if (split.seconds != 0) {
        char clock[64];  // room for any long long, though a time of day needs 9
        std::snprintf(clock, sizeof clock, " %02lld:%02lld:%02lld", split.seconds / 3600,
                      split.seconds / 60 % 60, split.seconds % 60);
        text += clock;
    }
    return text + ")";
}

}  // namespace

std::string CallArgumentText(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return "null";
        case Variant::Kind::String:
            return Quoted(value.AsString());
        case Variant::Kind::Integer:
            return std::to_string(value.AsInteger());
        case Variant::Kind::Float:
            return NumberText(value.AsFloat());
        case Variant::Kind::Boolean:
            return value.AsBoolean() ? "true" : "false";
        case Variant::Kind::Date:
            return DateText(value.AsDate());
    }
    return "null";
}

std::string CallText(const std::string& method, const std::vector<std::string>& args) {
    std::string text = method + "(";
    for (size_t i = 0; i < args.size(); ++i)
        text += (i == 0 ? "" : ", ") + args[i];
    return text + ")";
}

}  // namespace hostfw
