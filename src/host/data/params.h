#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

// One named statement parameter. An unassigned parameter binds as NULL; an empty
// string stays a zero-length string.
class HOSTFW_EXPORT TParam {
public:
    explicit TParam(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    const Variant& Value() const { return value_; }
    bool IsAssigned() const { return !value_.IsEmpty(); }
    bool IsNull() const { return value_.IsEmptyOrNull(); }

    void SetAsVariant(const Variant& value) { value_ = value; }
    void SetAsString(const std::string& value) { value_ = Variant(value); }
    void SetAsDateTime(TDateTime value) { value_ = Variant(value); }
    // A value given as text: kept as a string.
    void SetText(const std::string& text) { value_ = Variant(text); }
    void Clear() { value_ = Variant(); }
    std::string AsString() const { return value_.AsString(); }

private:
    std::string name_;
    Variant value_;
};

// The ordered parameter list of one statement. Names compare without regard to case,
// as the database library does.
class HOSTFW_EXPORT TParams {
public:
    TParams() = default;
    explicit TParams(const std::vector<std::string>& names);

    // Adds a parameter unless one of that name is already there; returns it either way.
    TParam& CreateParam(const std::string& name);
    TParam* FindParam(const std::string& name);
    const TParam* FindParam(const std::string& name) const;
    // Throws a clear error naming the parameter when it is not in the list.
    TParam& ParamByName(const std::string& name);
    const TParam& ParamByName(const std::string& name) const;

    size_t Count() const { return params_.size(); }
    TParam& operator[](size_t index) { return *params_[index]; }
    const TParam& operator[](size_t index) const { return *params_[index]; }

private:
    // unique_ptr keeps references stable while the list grows.
    std::vector<std::unique_ptr<TParam>> params_;
};

}  // namespace hostfw
