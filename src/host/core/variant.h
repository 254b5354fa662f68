#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "host/core/date_time.h"
#include "hostfw_export.h"

namespace hostfw {

// An automation variant: what travels through parameters, fields and server calls.
class HOSTFW_EXPORT Variant {
public:
    enum class Kind { Empty, Null, String, Integer, Float, Boolean, Date };

    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };

    Variant() = default;
    static Variant Null() { return Variant(NullTag{}); }
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(std::int64_t value) : value_(value) {}
    Variant(int value) : value_(static_cast<std::int64_t>(value)) {}
    Variant(double value) : value_(value) {}
    Variant(bool value) : value_(value) {}
    Variant(TDateTime value) : value_(value) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool IsEmpty() const { return kind() == Kind::Empty; }
    bool IsNull() const { return kind() == Kind::Null; }
    bool IsEmptyOrNull() const { return IsEmpty() || IsNull(); }

    // Conversions as the automation rules go: Null and Empty read as "" or 0.
    std::string AsString() const;
    std::int64_t AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    TDateTime AsDate() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    explicit Variant(NullTag tag) : value_(tag) {}
    std::variant<std::monostate, NullTag, std::string, std::int64_t, double, bool, TDateTime>
        value_;
};

HOSTFW_EXPORT const char* KindName(Variant::Kind kind);

}  // namespace hostfw
