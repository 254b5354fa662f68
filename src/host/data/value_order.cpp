#include "host/data/value_order.h"

namespace hostfw {
namespace {

// Beyond any count of digits a column can hold.
constexpr const char* kAfterEveryNumber = "1000000000";

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
    // Two keys, for a sort over a million rows pays for each one. The first puts blanks first,
    // then numbers by the count of their digits without leading zeros (the shorter is the
    // smaller), then other texts; the second orders equally long numbers by their digits, which
    // is their value, and other texts by themselves.
    const std::string group = "CASE WHEN " + quotedColumn + " IS NULL OR " + quotedColumn +
                              " = '' THEN 0 WHEN " + text.onlyDigits + " THEN 1 + " +
                              text.lengthOf + "(" + text.withoutZeros + ") ELSE " +
                              kAfterEveryNumber + " END";
    const std::string within = "CASE WHEN " + text.onlyDigits + " THEN " + text.withoutZeros +
                               " ELSE " + quotedColumn + " END";
    return group + direction + ", " + within + direction;
}

}  // namespace hostfw
