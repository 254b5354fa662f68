#include "rdm_rel_cons_lanc.h"

#include "get_nota_request.h"
#include "nota_fiscal_query.h"

namespace appserver {
namespace {

using hostfw::DataPacket;
using hostfw::Variant;

// A row is not marked until the user picks it.
constexpr const char* kNotMarked = "N";

DataPacket readNotas(const GetNotaRequest& request, const CallContext& context) {
    hostfw::Engine& engine = context.engine();
    const BoundQuery query = notaFiscalQuery(request, engine.Kind());
    const auto cursor = engine.Query(query.sql, query.params);
    DataPacket packet = emptyNotaPacket();
    while (cursor->Next()) {
        context.checkDeadline();
        packet.rows.push_back(
            {Variant(kNotMarked), Variant(cursor->Value(0).asString()),
             Variant(cursor->Value(1).asString()), Variant(cursor->Value(2).asString()),
             Variant(cursor->Value(3).asString()), Variant(cursor->Value(4).asString())});
    }
    return packet;
}

}  // namespace

DataPacket emptyNotaPacket() {
    DataPacket packet;
    packet.fields = {
        {"IDMARCADO", "string", 1, true},    {"NRNOTAFISC", "string", 20, false},
        {"DTEMISSAO", "string", 12, false},  {"DTENTRSAID", "string", 12, false},
        {"NRLANCTONF", "string", 10, false}, {"STATUS", "string", 17, true},
    };
    return packet;
}

RemoteObject makeRdmRelConsLanc() {
    return {{"GetNota", [](std::vector<Variant>& args, const CallContext& context) {
                 return hostfw::OleVariant(readNotas(parseGetNotaArguments(args), context));
             }}};
}

}  // namespace appserver
