#pragma once

#include <optional>
#include <string_view>

namespace appserver {

// How GetNota behaves when the server runs for tests (--test-getnota): the module's
// by-reference and error paths need a server that writes into its arguments or refuses.
enum class GetNotaTestMode {
    Off,          // the real query
    KindC,        // the real query, and "C" written into the report kind (argument 9)
    Error,        // an error reply
    EmptyPacket,  // a packet with the six fields and no row
};

std::optional<GetNotaTestMode> getNotaTestModeFromName(std::string_view name);

}  // namespace appserver
