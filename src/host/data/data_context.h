#pragma once

#include "host/components/component_context.h"
#include "host/data/shared_database.h"
#include "host/session/session.h"
#include "hostfw_export.h"

namespace hostfw {

// The data layer's part of a program's context: the session's values and the session's
// shared database, opened on the database those values name.
class HOSTFW_EXPORT DataContext : public ComponentContext {
public:
    DataContext() = default;
    DataContext(const DataContext&) = delete;
    DataContext& operator=(const DataContext&) = delete;

    SessionSettings& Session() { return session_; }
    const SessionSettings& Session() const { return session_; }
    SharedDatabase& Database() { return database_; }

private:
    SessionSettings session_;
    SharedDatabase database_{session_};
};

}  // namespace hostfw
