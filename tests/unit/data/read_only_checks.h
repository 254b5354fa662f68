#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/data/transaction.h"
#include "support/failure_of.h"
#include "unit/data/engine_test_support.h"

// What the read-only transaction tests of both engines share: a table to protect and the
// statements that must not change it.
namespace datatest {

inline const std::string kRefused = "Erro no banco de dados: o comando não é permitido";

// Each statement in a transaction of its own (on PostgreSQL a failed statement spoils the
// rest of its transaction); each must fail before it changes anything.
inline void ExpectEachRefused(hostfw::Engine& engine, const std::vector<std::string>& statements) {
    for (const std::string& sql : statements) {
        hostfw::Transaction transaction(engine, hostfw::TransactionKind::ReadOnly);
        EXPECT_NE(testsupport::FailureOf([&] { engine.Query(sql, hostfw::TParams()); }),
                  "(nenhuma falha)")
            << sql;
    }
}

// Table T holds one row, V = 1, and what a reading transaction is for still works.
inline void MakeTable(hostfw::Engine& engine) {
    engine.ExecuteScript("CREATE TABLE T (V INTEGER); INSERT INTO T VALUES (1);");
}

inline void ExpectTableUntouched(hostfw::Engine& engine) {
    EXPECT_EQ(
        datatest::Scalar(engine, "SELECT COUNT(*) || '/' || SUM(V) FROM T", hostfw::TParams()),
        hostfw::Variant("1/1"));
}

inline const std::vector<std::string> kWritesOnBothEngines = {
    "DROP TABLE T",
    "DELETE FROM T",
    "INSERT INTO T VALUES (2) RETURNING V",
    "UPDATE T SET V = 100 RETURNING V",
    "CREATE TEMP TABLE X AS SELECT * FROM T",
};

}  // namespace datatest
