#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/core/variant.h"

namespace appserver {

// What the nine GetNota arguments ask for.
struct GetNotaRequest {
    std::string branch;
    // Whole days, both included.
    hostfw::TDateTime firstDay;
    hostfw::TDateTime lastDay;
    // nullopt: every client (flag "T"); otherwise the canonical list of the chosen ones.
    std::optional<std::string> clients;
    std::optional<std::string> destinations;
    // Status letters to keep; empty keeps every status.
    std::string statuses;
    // Report kind "C": the dates select shipping cancellations instead of issue dates.
    bool byCancellation = false;
};

inline constexpr std::size_t kGetNotaArgumentCount = 9;
// The dates GetNota accepts: the years 1 to 9999.
inline const hostfw::TDateTime kFirstCalendarDay = hostfw::EncodeDate(1, 1, 1);
inline const hostfw::TDateTime kLastCalendarDay = hostfw::EncodeDate(9999, 12, 31);
inline constexpr std::size_t kReportKindArgument = 8;  // zero-based position of argument 9

// Raises a 400 CallFailure naming the argument for a wrong count, a wrong type, a date
// outside the years 1 to 9999 or an unknown status letter.
GetNotaRequest ParseGetNotaArguments(const std::vector<hostfw::Variant>& args);

}  // namespace appserver
