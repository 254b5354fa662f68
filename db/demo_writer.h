#pragma once

#include "db/demo_rows.h"
#include "host/data/engine.h"
#include "host/data/params.h"

namespace demodb {

// Inserts demo rows, each statement always of the same text so the engine reuses it.
class DemoWriter {
public:
    explicit DemoWriter(hostfw::Engine& engine);

    void Write(const Branch& branch);
    void Write(const Client& client);
    // The invoice, and its shipping when it has an exit date.
    void Write(const Invoice& invoice);

private:
    hostfw::Engine& engine_;
    hostfw::TParams branch_;
    hostfw::TParams client_;
    hostfw::TParams invoice_;
    hostfw::TParams shipping_;
};

}  // namespace demodb
