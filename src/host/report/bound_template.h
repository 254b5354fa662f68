#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/variant.h"
#include "host/report/field_format.h"
#include "host/report/text_template.h"

namespace hostfw {

// The names a template may use and where their values sit. Names match without regard to
// case (PostgreSQL folds unquoted column names to lower case); the first one listed wins.
class NameIndex {
public:
    NameIndex() = default;
    explicit NameIndex(std::vector<std::string> names) : names_(std::move(names)) {}
    std::size_t Add(std::string name);
    std::optional<std::size_t> Find(std::string_view name) const;
    std::size_t Size() const { return names_.size(); }

private:
    std::vector<std::string> names_;
};

// A template whose names were looked up once, so rendering a row is only indexing.
class BoundTemplate {
public:
    // Raises an Exception naming the first name the index does not hold.
    BoundTemplate(const TextTemplate& text, const NameIndex& names);
    // The text on one line, valid UTF-8: control characters become blanks, invalid bytes U+FFFD.
    std::string Render(std::span<const Variant> values, const StatusTexts& statusTexts) const;
    bool Uses(std::size_t index) const;

private:
    struct Piece {
        std::string literal;
        std::optional<std::size_t> value;
        std::optional<std::size_t> argument;
        ValueFormat format = ValueFormat::Plain;
    };
    std::vector<Piece> pieces_;
};

}  // namespace hostfw
