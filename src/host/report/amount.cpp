#include "host/report/amount.h"

#include <cmath>
#include <limits>

#include "host/core/exception.h"

namespace hostfw {
namespace {

[[noreturn]] void NotAnAmount(const std::string& text) {
    throw Exception("'" + text + "' não é um valor monetário válido.");
}

std::int64_t DecimalToCents(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    std::int64_t units = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (units > std::numeric_limits<std::int64_t>::max() / 1000)
            NotAnAmount(text);
        units = units * 10 + (text[i] - '0');
    }
    std::int64_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        std::size_t place = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits, ++place) {
            // Third decimal and beyond: round half away from zero on the third one.
            if (place < 2)
                fraction = fraction * 10 + (text[i] - '0');
            if (place == 2 && text[i] >= '5')
                fraction += 1;
        }
        if (place == 1)
            fraction *= 10;
    }
    if (digits == 0 || i != text.size())
        NotAnAmount(text);
    const std::int64_t cents = units * 100 + fraction;
    return negative ? -cents : cents;
}

}  // namespace

std::int64_t AmountInCents(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return 0;
        case Variant::Kind::Integer:
            return value.AsInteger() * 100;
        case Variant::Kind::Float: {
            const double cents = std::round(value.AsFloat() * 100.0);
            if (!std::isfinite(cents) || std::fabs(cents) > 9.0e15)
                NotAnAmount(value.AsString());
            return static_cast<std::int64_t>(cents);
        }
        case Variant::Kind::String:
            return DecimalToCents(value.AsString());
        default:
            NotAnAmount(value.AsString());
    }
}

std::string FormatCents(std::int64_t cents) {
    const bool negative = cents < 0;
    // Unsigned, so the most negative value does not overflow on negation.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    const std::uint64_t fraction = magnitude % 100;
    std::string units = std::to_string(magnitude / 100);
    std::string grouped;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            grouped += '.';
        grouped += units[i];
    }
    return (negative ? "-" : "") + grouped + "," + (fraction < 10 ? "0" : "") +
           std::to_string(fraction);
}

std::string CentsToDecimal(std::int64_t cents) {
    const std::string text = FormatCents(cents);
    std::string out;
    for (char c : text) {
        if (c == '.')
            continue;
        out += c == ',' ? '.' : c;
    }
    return out;
}

}  // namespace hostfw
