// A read-only transaction on SQLite refuses every statement that would change the database or
// reach another file, whatever the statement is dressed as (PostgreSQL: pg_engine_test.cpp).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/data/transaction.h"
#include "support/failure_of.h"
#include "support/test_folder.h"
#include "unit/data/engine_test_support.h"
#include "unit/data/read_only_checks.h"

namespace {

using datatest::ExpectEachRefused;
using datatest::ExpectTableUntouched;
using datatest::kWritesOnBothEngines;
using hostfw::Engine;
using hostfw::TParams;
using hostfw::Transaction;
using hostfw::TransactionKind;

class ReadOnlySqlite : public ::testing::Test {
protected:
    ReadOnlySqlite() {
        std::filesystem::create_directories(folder);
        engine = hostfw::OpenDatabase((folder / "base.sqlite").string(), true);
        datatest::MakeTable(*engine);
    }
    ~ReadOnlySqlite() override {
        engine.reset();
        std::filesystem::remove_all(folder);
    }

    const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-readonly");
    std::shared_ptr<Engine> engine;
};

TEST_F(ReadOnlySqlite, NoStatementChangesTheDatabaseOrReachesAnotherFile) {
    const std::string copy = (folder / "copia.sqlite").string();
    ExpectEachRefused(*engine, kWritesOnBothEngines);
    ExpectEachRefused(*engine, {"WITH X AS (SELECT 1) UPDATE T SET V = 5 RETURNING V",
                                "VACUUM INTO '" + copy + "'", "ATTACH '" + copy + "' AS OUTRA",
                                "PRAGMA user_version = 7", "SAVEPOINT S", "COMMIT"});
    ExpectTableUntouched(*engine);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(datatest::Scalar(*engine, "PRAGMA user_version", TParams()), hostfw::Variant(0));
}

TEST_F(ReadOnlySqlite, AStatementCompiledBeforeIsJudgedAgain) {
    const std::string update = "UPDATE T SET V = V + 1 WHERE V < 0";
    engine->Execute(update, TParams());  // now kept compiled by the connection
    {
        Transaction transaction(*engine, TransactionKind::ReadOnly);
        EXPECT_EQ(testsupport::FailureOf([&] { engine->Execute(update, TParams()); }),
                  datatest::kRefused + ": esta consulta só pode ler dados");
    }
    ExpectTableUntouched(*engine);
}

TEST_F(ReadOnlySqlite, ReadsWorkInsideAndWritesAgainAfterwards) {
    {
        Transaction transaction(*engine, TransactionKind::ReadOnly);
        ExpectTableUntouched(*engine);
    }
    engine->Execute("UPDATE T SET V = 2", TParams());
    EXPECT_EQ(datatest::Scalar(*engine, "SELECT V FROM T", TParams()), hostfw::Variant(2));
}

}  // namespace
