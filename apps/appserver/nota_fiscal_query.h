#pragma once

#include <string>

#include "get_nota_request.h"
#include "host/data/engine.h"
#include "host/data/params.h"

namespace appserver {

// A statement and the values of its parameters.
struct BoundQuery {
    std::string sql;
    hostfw::TParams params;
};

// The invoices a GetNota request selects, in the engine's dialect. The statement is put
// together from fixed pieces only; every value of the request is a bound parameter. Columns:
// NRNOTAFISC, DTEMISSAO and DTENTRSAID as dd/mm/yyyy text (the latter "" when missing),
// NRLANCTONF, IDSTATUSNF; ordered by invoice number, then entry number.
BoundQuery NotaFiscalQuery(const GetNotaRequest& request, hostfw::EngineKind engine);

}  // namespace appserver
