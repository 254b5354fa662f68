#include "host/data/value_order.h"

namespace hostfw {
namespace {

struct TextFunctions {
    std::string onlyDigits;    // true for a non-empty text of digits alone
    std::string withoutZeros;  // the text without its leading zeros
    std::string lengthOf;      // the length of the text in characters, before "(...)"
};

TextFunctions FunctionsOf(const std::string& c, EngineKind engine) {
    switch (engine) {
        case EngineKind::PostgreSQL:
            return {c + " ~ '^[0-9]+$'", "ltrim(" + c + ", '0')", "length"};
        case EngineKind::Firebird:
            return {c + " SIMILAR TO '[0-9]+'", "TRIM(LEADING '0' FROM " + c + ")", "CHAR_LENGTH"};
        case EngineKind::SQLite:
            break;
    }
    return {"(" + c + " <> '' AND " + c + " NOT GLOB '*[^0-9]*')", "ltrim(" + c + ", '0')",
            "length"};
}

}  // namespace

std::string ValueOrderBy(const std::string& quotedColumn, EngineKind engine, bool descending) {
    const TextFunctions text = FunctionsOf(quotedColumn, engine);
    const std::string direction = descending ? " DESC" : "";
    const std::string group = "CASE WHEN " + quotedColumn + " IS NULL OR " + quotedColumn +
                              " = '' THEN 0 WHEN " + text.onlyDigits + " THEN 1 ELSE 2 END";
    // A number's digits without its leading zeros: the shorter is the smaller, and among
    // equally long ones the text order is the number's.
    const std::string digits =
        "CASE WHEN " + text.onlyDigits + " THEN " + text.withoutZeros + " END";
    const std::string digitsLength = "CASE WHEN " + text.onlyDigits + " THEN " + text.lengthOf +
                                     "(" + text.withoutZeros + ") END";
    return group + direction + ", " + digitsLength + direction + ", " + digits + direction + ", " +
           quotedColumn + direction;
}

}  // namespace hostfw
