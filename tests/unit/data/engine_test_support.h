#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/data/engine.h"
#include "host/data/params.h"

namespace datatest {

// The single value of a one-row, one-column query.
inline hostfw::Variant Scalar(hostfw::Engine& engine, const std::string& sql,
                              const hostfw::TParams& params) {
    auto cursor = engine.Query(sql, params);
    EXPECT_TRUE(cursor->Next()) << sql;
    return cursor->Value(0);
}

// A parameter list holding one named value.
inline hostfw::TParams WithValue(const std::string& name, const hostfw::Variant& value) {
    hostfw::TParams params({name});
    params[0].SetAsVariant(value);
    return params;
}

// Ends every other session of the PostgreSQL database, as a restart or a failover would.
inline void EndOtherSessions(hostfw::Engine& admin) {
    Scalar(admin,
           "SELECT count(pg_terminate_backend(pid, 5000)) FROM pg_stat_activity "
           "WHERE datname = current_database() AND pid <> pg_backend_pid()",
           {});
}

}  // namespace datatest
