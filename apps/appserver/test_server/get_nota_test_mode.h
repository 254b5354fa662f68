#pragma once

#include <optional>
#include <string_view>

#include "remote_object.h"

namespace appserver {

// How GetNota behaves in the tests' server (--test-getnota): the module's by-reference and
// error paths need a server that writes into its arguments or refuses.
enum class GetNotaTestMode {
    Off,          // the real query
    KindC,        // the real query, and "C" written into the report kind (argument 9)
    Error,        // an error reply
    EmptyPacket,  // a packet with the six fields and no row
    Slow,         // a statement that runs for minutes in the database, then the real query
};

std::optional<GetNotaTestMode> GetNotaTestModeFromName(std::string_view name);

// GetNota as the mode has it; arguments are checked as always first.
RemoteMethod GetNotaInTestMode(RemoteMethod getNota, GetNotaTestMode mode);

}  // namespace appserver
