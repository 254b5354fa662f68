#include "db/demo_writer.h"

#include <cstdio>

namespace demodb {
namespace {

constexpr const char* kInsertBranch =
    "INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES (:CDFILIAL, :NMFILIAL)";
constexpr const char* kInsertClient =
    "INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMFANTCLIE, CDATIVCLI, "
    "CDSEGMER) VALUES (:CDCLIENTE, :IDTPIJURCLIE, :NRINSJURCLIE, :NMFANTCLIE, :CDATIVCLI, "
    ":CDSEGMER)";
constexpr const char* kInsertInvoice =
    "INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, NRNOTAFISC, CDCLIENTE, CDFILIDEST, "
    "DTEMISSAO, DTENTRSAID, IDSTATUSNF, VRTOTALNF) VALUES (:CDFILIAL, :NRLANCTONF, "
    ":NRNOTAFISC, :CDCLIENTE, :CDFILIDEST, :DTEMISSAO, :DTENTRSAID, :IDSTATUSNF, :VRTOTALNF)";
constexpr const char* kInsertShipping =
    "INSERT INTO EXPEDICAO (CDFILIAL, NRLANCTONF, DTEXPEDICAO, DTCANCEXPED) VALUES "
    "(:CDFILIAL, :NRLANCTONF, :DTEXPEDICAO, :DTCANCEXPED)";

hostfw::Variant OptionalText(const std::optional<std::string>& text) {
    return text ? hostfw::Variant(*text) : hostfw::Variant::Null();
}

// Exact decimal text, so that PostgreSQL's NUMERIC receives no binary rounding.
std::string AmountText(long long cents) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%02lld", cents / 100, cents % 100);
    return buffer;
}

}  // namespace

DemoWriter::DemoWriter(hostfw::Engine& engine)
    : engine_(engine),
      branch_({"CDFILIAL", "NMFILIAL"}),
      client_({"CDCLIENTE", "IDTPIJURCLIE", "NRINSJURCLIE", "NMFANTCLIE", "CDATIVCLI", "CDSEGMER"}),
      invoice_({"CDFILIAL", "NRLANCTONF", "NRNOTAFISC", "CDCLIENTE", "CDFILIDEST", "DTEMISSAO",
                "DTENTRSAID", "IDSTATUSNF", "VRTOTALNF"}),
      shipping_({"CDFILIAL", "NRLANCTONF", "DTEXPEDICAO", "DTCANCEXPED"}) {}

void DemoWriter::Write(const Branch& branch) {
    branch_[0].SetAsString(branch.code);
    branch_[1].SetAsString(branch.name);
    engine_.Execute(kInsertBranch, branch_);
}

void DemoWriter::Write(const Client& client) {
    client_[0].SetAsString(client.code);
    client_[1].SetAsString(std::string(1, client.kind));
    client_[2].SetAsString(client.taxId);
    client_[3].SetAsString(client.name);
    client_[4].SetAsVariant(OptionalText(client.activity));
    client_[5].SetAsVariant(OptionalText(client.segment));
    engine_.Execute(kInsertClient, client_);
}

void DemoWriter::Write(const Invoice& invoice) {
    invoice_[0].SetAsString(invoice.branch);
    invoice_[1].SetAsString(invoice.entry);
    invoice_[2].SetAsString(invoice.number);
    invoice_[3].SetAsString(invoice.client);
    invoice_[4].SetAsString(invoice.destination);
    invoice_[5].SetAsString(invoice.issued);
    invoice_[6].SetAsVariant(OptionalText(invoice.exited));
    invoice_[7].SetAsString(std::string(1, invoice.status));
    invoice_[8].SetAsString(AmountText(invoice.cents));
    engine_.Execute(kInsertInvoice, invoice_);
    if (!invoice.exited)
        return;
    shipping_[0].SetAsString(invoice.branch);
    shipping_[1].SetAsString(invoice.entry);
    shipping_[2].SetAsString(*invoice.exited);
    shipping_[3].SetAsVariant(OptionalText(invoice.shippingCanceled));
    engine_.Execute(kInsertShipping, shipping_);
}

}  // namespace demodb
