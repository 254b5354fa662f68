#include "host/data/sql_value_text.h"

#include <charconv>
#include <cstdio>

namespace hostfw {
namespace {

// Shortest text that reads back as the same double.
std::string FloatText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string SqlDateTimeText(TDateTime value) {
    const DaySeconds split = SplitToSeconds(value);
    const CivilDate date = CivilFromDays(static_cast<double>(split.day));
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02lld:%02lld:%02lld", date.year,
                  date.month, date.day, split.seconds / 3600, split.seconds / 60 % 60,
                  split.seconds % 60);
    return buffer;
}

std::optional<std::string> SqlParameterText(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return std::nullopt;
        case Variant::Kind::Boolean:
            return value.AsBoolean() ? "1" : "0";
        case Variant::Kind::Float:
            return FloatText(value.AsFloat());
        case Variant::Kind::Date:
            return SqlDateTimeText(value.AsDate());
        case Variant::Kind::String:
        case Variant::Kind::Integer:
            return value.AsString();
    }
    return std::nullopt;
}

}  // namespace hostfw
