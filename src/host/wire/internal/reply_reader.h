#pragma once

// Internal to the framework library.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/wire/internal/json_access.h"

namespace hostfw::wire {

// One cell of a data packet's rows as the reply wrote it: a plain JSON value.
using RawCell =
    std::variant<std::nullptr_t, std::string, std::int64_t, std::uint64_t, double, bool>;
using RawRows = std::vector<std::vector<RawCell>>;

// A reply read in one pass: every member but the result's rows as a document, and the rows,
// which are most of a large reply, as plain cells beside it (the document keeps an empty list
// in their place), without a document node per cell. Nothing when the body is not JSON or its
// rows hold anything but lists of plain values: the caller then reads it the ordinary way,
// which names the fault.
struct ReadReply {
    Json message;
    std::optional<RawRows> rows;  // when the result has rows
};
std::optional<ReadReply> ReadReplyInOnePass(std::string_view body);

// The cell as a document node, for the rarer cells and for the messages that name them.
Json RawCellToJson(RawCell cell);

}  // namespace hostfw::wire
