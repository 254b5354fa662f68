#include "get_nota_test_mode.h"

#include "call_failure.h"
#include "get_nota_request.h"
#include "rdm_rel_cons_lanc.h"

namespace appserver {

std::optional<GetNotaTestMode> GetNotaTestModeFromName(std::string_view name) {
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

RemoteMethod GetNotaInTestMode(RemoteMethod getNota, GetNotaTestMode mode) {
    return [getNota = std::move(getNota), mode](std::vector<hostfw::Variant>& args,
                                                const CallContext& context) -> hostfw::OleVariant {
        ParseGetNotaArguments(args);
        switch (mode) {
            case GetNotaTestMode::Off:
                break;
            case GetNotaTestMode::KindC: {
                hostfw::OleVariant result = getNota(args, context);
                args[kReportKindArgument] = hostfw::Variant("C");
                return result;
            }
            case GetNotaTestMode::Error:
                throw CallFailure(500, "Falha de teste do servidor de aplicação em GetNota.");
            case GetNotaTestMode::EmptyPacket:
                return EmptyNotaPacket();
        }
        return getNota(args, context);
    };
}

}  // namespace appserver
