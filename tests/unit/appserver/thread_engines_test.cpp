#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/core/exception.h"
#include "thread_engines.h"
#include "unit/data/engine_test_support.h"

namespace {

// A worker's connection that the database server dropped (a restart, an ended session) is
// replaced on the worker's next call instead of failing every call after it.
TEST(PgThreadEngines, AConnectionTheServerDroppedIsReplacedOnTheNextCall) {
    const char* url = std::getenv("EXP036_PG_URL");
    if (url == nullptr || *url == '\0')
        GTEST_SKIP() << "EXP036_PG_URL not set (run through tests/pg/with_postgres.sh)";
    appserver::ThreadEngines engines(url);
    hostfw::Engine& first = engines.ForCurrentThread();
    EXPECT_EQ(&engines.ForCurrentThread(), &first) << "a sound connection is kept";

    const hostfw::Variant pid = datatest::Scalar(first, "SELECT pg_backend_pid()", {});
    auto other = hostfw::OpenDatabase(url);
    datatest::Scalar(*other, "SELECT pg_terminate_backend(CAST(:P_PID AS INTEGER))",
                     datatest::WithValue("P_PID", pid));
    EXPECT_THROW(first.Query("SELECT 1", {}), hostfw::Exception);

    hostfw::Engine& second = engines.ForCurrentThread();
    EXPECT_FALSE(second.IsBroken());
    EXPECT_EQ(datatest::Scalar(second, "SELECT 1", {}).AsString(), "1");
}

}  // namespace
