#pragma once

namespace hostfw {
class Engine;
}

namespace admin {

// Firebird has no row policies and cannot rename a table: the rows of NOTAFISCAL, EXPEDICAO and
// CONSULTA_SALVA move to base tables of the same columns (NOTAFISCAL_BASE, ...), so that the
// old names can become the views that keep each person to their rows, and the module's own
// statements read those unchanged. Each step is committed before the next, and a step already
// done is skipped, so a setup interrupted on the way is finished by running it again; the old
// table is dropped only once its rows are in the base table.
void MoveRowsToBaseTables(hostfw::Engine& engine);

}  // namespace admin
