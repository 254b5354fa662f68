#pragma once

#include <optional>
#include <string>

namespace demodb {

// Rows of the shared database as the demo and test data write them. Dates are yyyy-mm-dd.

struct Branch {
    std::string code;  // CDFILIAL
    std::string name;  // NMFILIAL
};

struct Client {
    std::string code;                     // CDCLIENTE
    char kind = 'F';                      // IDTPIJURCLIE: F person, J entity
    std::string taxId;                    // NRINSJURCLIE, digits only
    std::string name;                     // NMFANTCLIE
    std::optional<std::string> activity;  // CDATIVCLI
    std::optional<std::string> segment;   // CDSEGMER
};

// An invoice and, when it has an exit date, its shipping on that date.
struct Invoice {
    std::string branch;                           // CDFILIAL
    std::string entry;                            // NRLANCTONF
    std::string number;                           // NRNOTAFISC
    std::string client;                           // CDCLIENTE
    std::string destination;                      // CDFILIDEST
    std::string issued;                           // DTEMISSAO
    std::optional<std::string> exited;            // DTENTRSAID, also DTEXPEDICAO
    char status = 'P';                            // IDSTATUSNF
    long long cents = 0;                          // VRTOTALNF in cents
    std::optional<std::string> shippingCanceled;  // DTCANCEXPED
};

}  // namespace demodb
