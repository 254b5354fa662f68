#include "host/core/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/core/exception.h"

namespace hostfw {
namespace {

std::string FormatFloat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

std::string Variant::AsString() const {
    switch (kind()) {
        case Kind::Empty:
        case Kind::Null:
            return {};
        case Kind::String:
            return std::get<std::string>(value_);
        case Kind::Integer:
            return std::to_string(std::get<std::int64_t>(value_));
        case Kind::Float:
            return FormatFloat(std::get<double>(value_));
        case Kind::Boolean:
            return std::get<bool>(value_) ? "True" : "False";
        case Kind::Date: {
            const TDateTime d = std::get<TDateTime>(value_);
            return TimeOf(d) == 0.0 ? DateToStr(d) : DateTimeToStr(d);
        }
    }
    return {};
}

std::int64_t Variant::AsInteger() const {
    switch (kind()) {
        case Kind::Integer:
            return std::get<std::int64_t>(value_);
        case Kind::Boolean:
            return std::get<bool>(value_) ? -1 : 0;
        case Kind::String: {
            const std::string& s = std::get<std::string>(value_);
            std::int64_t out = 0;
            const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
            if (ec != std::errc() || ptr != s.data() + s.size()) {
                throw Exception("'" + s + "' não é um número inteiro válido.");
            }
            return out;
        }
        default:
            return static_cast<std::int64_t>(std::llround(AsFloat()));
    }
}

double Variant::AsFloat() const {
    switch (kind()) {
        case Kind::Empty:
        case Kind::Null:
            return 0.0;
        case Kind::Integer:
            return static_cast<double>(std::get<std::int64_t>(value_));
        case Kind::Float:
            return std::get<double>(value_);
        case Kind::Boolean:
            return std::get<bool>(value_) ? -1.0 : 0.0;
        case Kind::Date:
            return std::get<TDateTime>(value_).value;
        case Kind::String: {
            const std::string& s = std::get<std::string>(value_);
            double out = 0;
            const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
            if (ec != std::errc() || ptr != s.data() + s.size()) {
                throw Exception("'" + s + "' não é um número válido.");
            }
            return out;
        }
    }
    return 0.0;
}

bool Variant::AsBoolean() const {
    if (kind() == Kind::Boolean)
        return std::get<bool>(value_);
    if (kind() == Kind::String) {
        const std::string& s = std::get<std::string>(value_);
        return s == "True" || s == "true" || s == "1" || s == "T";
    }
    return AsFloat() != 0.0;
}

TDateTime Variant::AsDate() const {
    if (kind() == Kind::String) {
        const std::string& s = std::get<std::string>(value_);
        if (auto d = StrToDateStrict(s))
            return *d;
        if (auto d = IsoToDate(s))
            return *d;
        throw Exception("'" + s + "' não é uma data válida.");
    }
    return {AsFloat()};
}

const char* KindName(Variant::Kind kind) {
    switch (kind) {
        case Variant::Kind::Empty:
            return "empty";
        case Variant::Kind::Null:
            return "null";
        case Variant::Kind::String:
            return "string";
        case Variant::Kind::Integer:
            return "integer";
        case Variant::Kind::Float:
            return "float";
        case Variant::Kind::Boolean:
            return "boolean";
        case Variant::Kind::Date:
            return "date";
    }
    return "?";
}

}  // namespace hostfw
