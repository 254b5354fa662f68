#include "get_nota_test_mode.h"

namespace appserver {

std::optional<GetNotaTestMode> getNotaTestModeFromName(std::string_view name) {
    if (name == "off")
        return GetNotaTestMode::Off;
    if (name == "kind-c")
        return GetNotaTestMode::KindC;
    if (name == "error")
        return GetNotaTestMode::Error;
    if (name == "empty")
        return GetNotaTestMode::EmptyPacket;
    return std::nullopt;
}

}  // namespace appserver
