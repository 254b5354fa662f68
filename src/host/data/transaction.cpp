#include "host/data/transaction.h"

#include "host/data/engine.h"

namespace hostfw {

Exception ReadOnlyRefusal() {
    return Exception(
        "Erro no banco de dados: o comando não é permitido: esta consulta só pode ler dados");
}

Transaction::Transaction(Engine& engine, TransactionKind kind) : engine_(engine) {
    if (kind == TransactionKind::ReadOnly) {
        engine_.BeginReadOnlyTransaction();
    } else {
        engine_.BeginTransaction();
    }
}

Transaction::~Transaction() {
    if (!open_)
        return;
    try {
        engine_.Rollback();
    } catch (...) {
        // The failure that left the scope is the one to report; a connection that cannot even
        // roll back is broken, and the engine says so on its next use.
    }
}

void Transaction::Commit() {
    engine_.Commit();
    open_ = false;  // a commit that failed is rolled back on the way out
}

}  // namespace hostfw
