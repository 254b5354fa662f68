#pragma once

#include <memory>
#include <optional>

#include "host/data/engine.h"
#include "host/data/params.h"
#include "host/data/transaction.h"
#include "host/report/bound_template.h"
#include "host/report/report_request.h"
#include "host/report/report_scope.h"

namespace hostfw {

// A report whose parameters were filled by the form, whose look-ups ran and whose query is
// open, ready to be read row by row.
struct OpenedReport {
    // First, so it ends after the cursor: the definition's SQL only ever reads.
    std::unique_ptr<Transaction> transaction;
    TParams params;
    ReportScope scope;
    std::unique_ptr<Cursor> rows;
    NameIndex rowNames;  // the query's columns, then "count" and "total" of the current group

    // Once every row is read: ends the transaction, so the database is not held while pages
    // are drawn.
    void FinishReading() {
        rows.reset();
        transaction.reset();
    }

    RowsRead rowsRead;
    std::int64_t rowCount = 0;

    // The next row of the query; after the last one the request hears how many there were.
    bool NextRow();
};

// Builds the parameter list from what the definition's SQL declares, hands it to the form's
// handler and runs the look-ups and the query with exactly the values assigned, in one
// read-only transaction (one view of the data for both, and no write). Nothing when
// the handler cancelled. A failing statement raises an Exception with the database's message.
std::optional<OpenedReport> OpenReport(const ReportRequest& request);

}  // namespace hostfw
