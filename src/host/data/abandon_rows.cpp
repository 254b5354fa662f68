#include "host/data/abandon_rows.h"

namespace hostfw {

void AbandonRows(Engine& engine, std::unique_ptr<Cursor> rows) {
    engine.Interrupt();
    rows.reset();
}

}  // namespace hostfw
