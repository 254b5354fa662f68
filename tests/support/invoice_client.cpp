#include "support/invoice_client.h"

#include "host/data/field.h"
#include "host/net/dispatch_arg.h"
#include "host/services/check_result_serv.h"

namespace servertest {
namespace {

struct FieldDefinition {
    const char* name;
    int size;
    bool fixed;
};

constexpr FieldDefinition kNotaFields[] = {{"IDMARCADO", 1, true},    {"NRNOTAFISC", 20, false},
                                           {"DTEMISSAO", 12, false},  {"DTENTRSAID", 12, false},
                                           {"NRLANCTONF", 10, false}, {"STATUS", 17, true}};

}  // namespace

InvoiceClient::InvoiceClient(const std::string& host, int port)
    : connection_(std::make_unique<hostfw::TNetConnection>(&owner_)),
      invoices_(std::make_unique<hostfw::TClientDataSet>(nullptr)) {
    connection_->SetServerName("exp03600.rdmRelConsLanc");
    connection_->SetHost(host);
    connection_->SetPort(port);
    connection_->SetThrowException(true);
    invoices_->SetName("cdsNotaFiscal");
    for (const FieldDefinition& column : kNotaFields) {
        auto* field = new hostfw::TStringField(invoices_.get());
        field->SetFieldName(column.name);
        field->SetSize(column.size);
        field->SetFixedChar(column.fixed);
        field->SetDataSet(invoices_.get());
    }
}

InvoiceClient::~InvoiceClient() = default;

void InvoiceClient::Load(GetNotaArgs& args) {
    using hostfw::DispatchArg;
    using hostfw::Variant;
    std::vector<DispatchArg> call{
        DispatchArg::ByValue(Variant(args.branch)), DispatchArg::ByValue(Variant(args.first)),
        DispatchArg::ByValue(Variant(args.last)),   DispatchArg::ByRef(args.clientList),
        DispatchArg::ByRef(args.clientFlag),        DispatchArg::ByRef(args.destinationList),
        DispatchArg::ByRef(args.destinationFlag),   DispatchArg::ByRef(args.statuses),
        DispatchArg::ByRef(args.reportKind)};
    hostfw::OleVariant reply = connection_->AppServer().Invoke("GetNota", call);
    invoices_->SetData(hostfw::CheckResultServ(std::move(reply), true, 0));
}

std::vector<std::string> InvoiceClient::Entries(GetNotaArgs& args) {
    Load(args);
    std::vector<std::string> entries;
    for (const auto& row : Rows())
        entries.push_back(row[4]);
    return entries;
}

std::vector<std::vector<std::string>> InvoiceClient::Rows() const {
    std::vector<std::vector<std::string>> rows;
    for (invoices_->First(); !invoices_->Eof(); invoices_->Next()) {
        std::vector<std::string> texts;
        for (const hostfw::TField* field : invoices_->Fields())
            texts.push_back(invoices_->FieldValue(*field).AsString());
        rows.push_back(std::move(texts));
    }
    return rows;
}

}  // namespace servertest
