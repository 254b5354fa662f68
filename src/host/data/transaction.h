#pragma once

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// A transaction on an engine that only Commit keeps: leaving the scope any other way, by a
// failure say, rolls it back.
class HOSTFW_EXPORT Transaction {
public:
    explicit Transaction(Engine& engine);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    Engine& engine_;
    bool open_ = true;
};

}  // namespace hostfw
