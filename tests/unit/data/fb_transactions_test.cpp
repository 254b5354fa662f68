// Statements, cursors and transactions on the Firebird engine: streaming cursors, autocommit
// and explicit transactions, the read-only transaction of reports, scripts and deadlines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/transaction.h"
#include "support/failure_of.h"
#include "unit/data/engine_test_support.h"
#include "unit/data/fb_engine_fixture.h"
#include "unit/data/read_only_checks.h"

namespace {

using hostfw::TParams;
using hostfw::Variant;
using ::testing::HasSubstr;
using testsupport::FailureOf;
using testsupport::FirebirdPlace;

class FbTransactions : public datatest::FirebirdEngineTest {};

TEST_P(FbTransactions, CursorsStreamAndMixWithOtherStatements) {
    MakeNumbers(5000);
    engine->ExecuteScript("CREATE TABLE U (V INTEGER)");
    auto rows = engine->Query("SELECT V FROM T ORDER BY V", TParams());
    long long sum = 0;
    for (int i = 0; i < 10 && rows->Next(); ++i)
        sum += rows->Value(0).AsInteger();
    engine->Execute("INSERT INTO U VALUES (1)", TParams());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM U"), Variant(1));
    while (rows->Next())
        sum += rows->Value(0).AsInteger();
    EXPECT_EQ(sum, 5000LL * 5001 / 2);
    EXPECT_THROW(rows->Value(0), hostfw::Exception) << "past the last row";
}

TEST_P(FbTransactions, AnAbandonedCursorLeavesTheConnectionUsable) {
    MakeNumbers(3000);
    {
        auto rows = engine->Query("SELECT V FROM T", TParams());
        ASSERT_TRUE(rows->Next());
    }
    engine->Execute("DELETE FROM T", TParams());  // no transaction of the cursor holds it up
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(0));
}

TEST_P(FbTransactions, FailuresRaiseAndTheConnectionGoesOn) {
    EXPECT_THAT(FailureOf([&] { engine->Query("SELECT * FROM INEXISTENTE", TParams()); }),
                HasSubstr("INEXISTENTE"));
    EXPECT_THROW(engine->Query("SELECT 1 / 0 FROM RDB$DATABASE", TParams()), hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT 3 FROM RDB$DATABASE"), Variant(3));
}

TEST_P(FbTransactions, TransactionsKeepOrUndoTheirWork) {
    engine->ExecuteScript("CREATE TABLE T (V INTEGER PRIMARY KEY)");
    {
        hostfw::Transaction transaction(*engine);
        engine->Execute("INSERT INTO T VALUES (1)", TParams());
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(0));
    {
        hostfw::Transaction transaction(*engine);
        engine->Execute("INSERT INTO T VALUES (1)", TParams());
        // Firebird undoes the failed statement alone; the transaction goes on.
        EXPECT_THROW(engine->Execute("INSERT INTO T VALUES (1)", TParams()), hostfw::Exception);
        engine->Execute("INSERT INTO T VALUES (2)", TParams());
        transaction.Commit();
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) || '/' || SUM(V) FROM T"), Variant("2/3"));
    engine->BeginTransaction();
    EXPECT_THROW(engine->BeginTransaction(), hostfw::Exception);
    engine->Rollback();
}

TEST_P(FbTransactions, ACursorDoesNotOutliveItsTransaction) {
    MakeNumbers(3000);
    engine->BeginReadOnlyTransaction();
    auto rows = engine->Query("SELECT V FROM T", TParams());
    ASSERT_TRUE(rows->Next());
    engine->Rollback();
    EXPECT_THAT(FailureOf([&] { rows->Next(); }), HasSubstr("a transação terminou"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(3000));
}

TEST_P(FbTransactions, AReadOnlyTransactionRefusesEveryWrite) {
    engine->ExecuteScript("CREATE SEQUENCE S");
    datatest::MakeTable(*engine);
    datatest::ExpectEachRefused(*engine, datatest::kWritesOnBothEngines);
    datatest::ExpectEachRefused(
        *engine,
        {"SELECT GEN_ID(S, 1) FROM RDB$DATABASE", "SELECT NEXT VALUE FOR S FROM RDB$DATABASE",
         "SELECT RDB$SET_CONTEXT('USER_SESSION', 'A', 'B') FROM RDB$DATABASE",
         "SET GENERATOR S TO 100", "SELECT * FROM T WITH LOCK", "SELECT * FROM T FOR UPDATE",
         "EXECUTE BLOCK AS BEGIN IN AUTONOMOUS TRANSACTION DO INSERT INTO T VALUES (5); END",
         "EXECUTE BLOCK RETURNS (X INTEGER) AS BEGIN X = GEN_ID(S, 1); SUSPEND; END", "COMMIT",
         "SET TRANSACTION", "ALTER TABLE T ADD W INTEGER"});
    datatest::ExpectTableUntouched(*engine);
    EXPECT_EQ(Scalar("SELECT GEN_ID(S, 0) FROM RDB$DATABASE"), Variant(std::int64_t{0}));
    EXPECT_TRUE(Scalar("SELECT RDB$GET_CONTEXT('USER_SESSION', 'A') FROM RDB$DATABASE").IsNull());
    {
        hostfw::Transaction transaction(*engine, hostfw::TransactionKind::ReadOnly);
        EXPECT_EQ(FailureOf([&] { engine->Execute("DELETE FROM T", TParams()); }),
                  datatest::kRefused + ": esta consulta só pode ler dados");
        datatest::ExpectTableUntouched(*engine);  // reading goes on
    }
    engine->Execute("UPDATE T SET V = 2", TParams());
    EXPECT_EQ(Scalar("SELECT V FROM T"), Variant(2)) << "writes again afterwards";
}

TEST_P(FbTransactions, ScriptsRunStatementByStatementAndCommitEach) {
    // The insert needs the table committed first, as Firebird uses no table of an open
    // transaction's making.
    engine->ExecuteScript(
        "-- uma tabela; com ';' no comentário\n"
        "CREATE TABLE T (V VARCHAR(20));\n"
        "INSERT INTO T VALUES ('a;b');\n"
        "SET TERM !! ;\n"
        "CREATE PROCEDURE DOBRO (X INTEGER) RETURNS (Y INTEGER) AS BEGIN Y = X * 2; "
        "SUSPEND; END!!\n"
        "SET TERM ; !!\n"
        "INSERT INTO T SELECT Y FROM DOBRO(21)");
    EXPECT_EQ(Scalar("SELECT LIST(V, '|') FROM (SELECT V FROM T ORDER BY V)"), Variant("42|a;b"));
    EXPECT_THROW(engine->ExecuteScript("INSERT INTO T VALUES ('c'); INSERT INTO NADA VALUES (1)"),
                 hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(3)) << "the first one stays";
}

TEST_P(FbTransactions, AStatementStillRunningAtTheDeadlineIsCancelledInTheDatabase) {
    const std::string forever =
        "SELECT COUNT(*) FROM RDB$TYPES A, RDB$TYPES B, RDB$TYPES C, RDB$TYPES D";
    engine->ExecuteScript("CREATE TABLE T (V INTEGER)");
    const auto soon = [] {
        return std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    };
    engine->SetDeadline(soon());
    EXPECT_THROW(engine->Query(forever, TParams()), hostfw::QueryTimeout);
    engine->SetDeadline(soon());
    EXPECT_THROW(engine->Execute(forever, TParams()), hostfw::QueryTimeout);
    engine->SetDeadline(soon());
    EXPECT_THROW(engine->ExecuteScript("INSERT INTO T " + forever), hostfw::QueryTimeout);
    // Past the deadline a statement does not start at all.
    EXPECT_THROW(engine->Query("SELECT 1 FROM RDB$DATABASE", TParams()), hostfw::QueryTimeout);

    engine->SetDeadline(std::nullopt);
    EXPECT_FALSE(engine->IsBroken());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(0)) << "the connection goes on";
}

INSTANTIATE_TEST_SUITE_P(FbEmbedded, FbTransactions, ::testing::Values(FirebirdPlace::Embedded),
                         testsupport::FirebirdPlaceName);
INSTANTIATE_TEST_SUITE_P(FbServer, FbTransactions, ::testing::Values(FirebirdPlace::Server),
                         testsupport::FirebirdPlaceName);

}  // namespace
