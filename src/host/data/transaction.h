#pragma once

#include "host/core/exception.h"
#include "hostfw_export.h"

namespace hostfw {

class Engine;

enum class TransactionKind {
    ReadWrite,
    // Engine::BeginReadOnlyTransaction: statements may only read.
    ReadOnly,
};

// The failure of a statement that would write inside a read-only transaction, alike on every
// engine.
HOSTFW_EXPORT Exception ReadOnlyRefusal();

// A transaction on an engine that only Commit keeps: leaving the scope any other way, by a
// failure say, rolls it back. Cursors opened in it must be gone first.
class HOSTFW_EXPORT Transaction {
public:
    explicit Transaction(Engine& engine, TransactionKind kind = TransactionKind::ReadWrite);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Engine& engine_;
    bool open_ = true;
};

}  // namespace hostfw
