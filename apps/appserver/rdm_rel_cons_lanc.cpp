#include "rdm_rel_cons_lanc.h"

#include "get_nota_request.h"
#include "nota_fiscal_query.h"

namespace appserver {
namespace {

using hostfw::DataPacket;
using hostfw::Variant;

// A row is not marked until the user picks it.
constexpr const char* kNotMarked = "N";
// The five columns of the statement, after IDMARCADO.
constexpr std::size_t kQueryColumns = 5;

// The fields are strings: a column read back as a number goes as its text.
Variant Text(Variant value) {
    return value.kind() == Variant::Kind::String ? value : Variant(value.AsString());
}

// The database would return no row of another branch to a bound person anyway; saying so
// tells the person why the list is empty.
void CheckBranchAllowed(const GetNotaRequest& request, const CallContext& context) {
    const hostfw::Person* caller = context.CallingPerson();
    if (caller == nullptr || !caller->bound || request.branch == caller->homeBranch)
        return;
    throw CallFailure(403, "A pessoa " + caller->login + " só pode consultar a filial " +
                               caller->homeBranch + ", não a filial " + request.branch + ".");
}

DataPacket ReadNotas(const GetNotaRequest& request, const CallContext& context) {
    CheckBranchAllowed(request, context);
    hostfw::Engine& engine = context.Engine();
    const BoundQuery query = NotaFiscalQuery(request, engine.Kind());
    const auto cursor = engine.Query(query.sql, query.params);
    DataPacket packet = EmptyNotaPacket();
    while (cursor->Next()) {
        context.CheckDeadline();
        std::vector<Variant>& row = packet.rows.emplace_back();
        row.reserve(kQueryColumns + 1);
        row.emplace_back(kNotMarked);
        for (std::size_t column = 0; column < kQueryColumns; ++column)
            row.push_back(Text(cursor->Value(column)));
    }
    return packet;
}

}  // namespace

DataPacket EmptyNotaPacket() {
    DataPacket packet;
    packet.fields = {
        {"IDMARCADO", "string", 1, true},    {"NRNOTAFISC", "string", 20, false},
        {"DTEMISSAO", "string", 12, false},  {"DTENTRSAID", "string", 12, false},
        {"NRLANCTONF", "string", 10, false}, {"STATUS", "string", 17, true},
    };
    return packet;
}

RemoteObject MakeRdmRelConsLanc() {
    return {{"GetNota", [](std::vector<Variant>& args, const CallContext& context) {
                 return hostfw::OleVariant(ReadNotas(ParseGetNotaArguments(args), context));
             }}};
}

}  // namespace appserver
