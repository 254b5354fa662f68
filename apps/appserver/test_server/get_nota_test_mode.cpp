#include "get_nota_test_mode.h"

#include "call_failure.h"
#include "get_nota_request.h"
#include "rdm_rel_cons_lanc.h"

namespace appserver {
namespace {

// A statement each engine spends minutes on, reading nothing of the database's own, so that a
// call can be given up while it runs.
const char* LongStatement(hostfw::EngineKind kind) {
    switch (kind) {
        case hostfw::EngineKind::PostgreSQL:
            return "SELECT pg_sleep(600)";
        case hostfw::EngineKind::Firebird:
            return "SELECT COUNT(*) FROM RDB$TYPES a CROSS JOIN RDB$TYPES b CROSS JOIN RDB$TYPES c "
                   "CROSS JOIN RDB$TYPES d";
        case hostfw::EngineKind::SQLite:
            break;
    }
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n LIMIT 100000000000) "
           "SELECT COUNT(*) FROM n";
}

}  // namespace

std::optional<GetNotaTestMode> GetNotaTestModeFromName(std::string_view name) {
    if (name == "off")
        return GetNotaTestMode::Off;
    if (name == "kind-c")
        return GetNotaTestMode::KindC;
    if (name == "error")
        return GetNotaTestMode::Error;
    if (name == "empty")
        return GetNotaTestMode::EmptyPacket;
    if (name == "slow")
        return GetNotaTestMode::Slow;
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
            case GetNotaTestMode::Slow: {
                hostfw::Engine& engine = context.Engine();
                engine.Query(LongStatement(engine.Kind()), {})->Next();
                break;
            }
        }
        return getNota(args, context);
    };
}

}  // namespace appserver
