#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/data/abandon_rows.h"
#include "host/data/engine.h"
#include "host/data/transaction.h"
#include "support/test_folder.h"
#include "unit/data/engine_test_support.h"

namespace {

using datatest::WithValue;

using hostfw::Engine;
using hostfw::TParams;
using hostfw::Variant;

class SqliteEngine : public ::testing::Test {
protected:
    Variant Scalar(const std::string& sql, const TParams& params) {
        return datatest::Scalar(*engine, sql, params);
    }

    std::shared_ptr<Engine> engine = hostfw::OpenDatabase(":memory:", true);
};

TEST_F(SqliteEngine, BindsNamedParametersWrittenWithAColon) {
    EXPECT_EQ(Scalar("SELECT :P_A", WithValue("P_A", "x")), Variant("x"));
}

TEST_F(SqliteEngine, RepeatedNameIsOneParameter) {
    EXPECT_EQ(Scalar("SELECT :P_A || '-' || :P_A", WithValue("P_A", "x")), Variant("x-x"));
}

TEST_F(SqliteEngine, NamesMatchWhateverTheLetterCase) {
    EXPECT_EQ(Scalar("SELECT :p_a || :P_A", WithValue("P_A", "x")), Variant("xx"));
}

TEST_F(SqliteEngine, EmptyStringBindsAsZeroLengthTextNotNull) {
    auto cursor = engine->Query("SELECT :P_A IS NULL, length(:P_A), :P_A = ''",
                                WithValue("P_A", std::string()));
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(std::int64_t{0}));
    EXPECT_EQ(cursor->Value(1), Variant(std::int64_t{0}));
    EXPECT_EQ(cursor->Value(2), Variant(std::int64_t{1}));
}

TEST_F(SqliteEngine, UnassignedNullOrMissingParametersBindNull) {
    EXPECT_EQ(Scalar("SELECT :P_A IS NULL", TParams({"P_A"})), Variant(std::int64_t{1}));
    EXPECT_EQ(Scalar("SELECT :P_A IS NULL", WithValue("P_A", Variant::Null())),
              Variant(std::int64_t{1}));
    EXPECT_EQ(Scalar("SELECT :P_B IS NULL", WithValue("P_A", "x")), Variant(std::int64_t{1}));
}

TEST_F(SqliteEngine, AReusedStatementKeepsNoValueOfItsLastRun) {
    const std::string sql = "SELECT coalesce(:P_A, 'nulo')";
    EXPECT_EQ(Scalar(sql, WithValue("P_A", "x")), Variant("x"));
    EXPECT_EQ(Scalar(sql, TParams({"P_A"})), Variant("nulo"));
}

TEST_F(SqliteEngine, ValuesKeepTheirTypes) {
    auto cursor = engine->Query("SELECT :P_I, :P_F, :P_B, :P_D", [] {
        TParams p({"P_I", "P_F", "P_B", "P_D"});
        p[0].SetAsVariant(Variant(std::int64_t{42}));
        p[1].SetAsVariant(Variant(2.5));
        p[2].SetAsVariant(Variant(true));
        p[3].SetAsDateTime(hostfw::EncodeDate(2025, 1, 31));
        return p;
    }());
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(std::int64_t{42}));
    EXPECT_EQ(cursor->Value(1), Variant(2.5));
    EXPECT_EQ(cursor->Value(2), Variant(std::int64_t{1}));
    EXPECT_EQ(cursor->Value(3), Variant("2025-01-31 00:00:00"));
}

TEST_F(SqliteEngine, DateParametersCompareWithStoredDays) {
    engine->ExecuteScript("CREATE TABLE N (D DATE); INSERT INTO N VALUES ('2025-01-31');");
    TParams range({"P_INI", "P_FIM"});
    range[0].SetAsDateTime(hostfw::EncodeDate(2025, 1, 31));
    range[1].SetAsDateTime(hostfw::EncodeDate(2025, 1, 31));
    EXPECT_EQ(Scalar("SELECT count(*) FROM N WHERE D BETWEEN date(:P_INI) AND date(:P_FIM)", range),
              Variant(std::int64_t{1}));
}

TEST_F(SqliteEngine, TextIsNeverReadAsSql) {
    engine->ExecuteScript("CREATE TABLE T (V TEXT);");
    const std::string hostile = "x'); DROP TABLE T; --";
    engine->Execute("INSERT INTO T VALUES (:P_V)", WithValue("P_V", hostile));
    EXPECT_EQ(Scalar("SELECT V FROM T", {}), Variant(hostile));
}

TEST_F(SqliteEngine, PositionalParametersAreRefused) {
    EXPECT_THROW(engine->Query("SELECT ?", {}), hostfw::Exception);
    EXPECT_THROW(engine->Query("SELECT $x", {}), hostfw::Exception);
}

TEST_F(SqliteEngine, OneCommandPerStatement) {
    engine->ExecuteScript("CREATE TABLE T (V TEXT);");
    EXPECT_THROW(engine->Execute("INSERT INTO T VALUES ('a'); DELETE FROM T", {}),
                 hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T", {}), Variant(std::int64_t{0}));
}

TEST_F(SqliteEngine, ErrorsNameTheDatabaseProblem) {
    try {
        engine->Query("SELECT * FROM inexistente", {});
        FAIL() << "no error";
    } catch (const hostfw::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("inexistente"), std::string::npos);
    }
}

TEST_F(SqliteEngine, CursorOutlivesItsEngine) {
    auto cursor = engine->Query("SELECT 1 UNION ALL SELECT 2", {});
    engine.reset();
    ASSERT_TRUE(cursor->Next());
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(std::int64_t{2}));
    EXPECT_FALSE(cursor->Next());
    EXPECT_FALSE(cursor->Next()) << "reading past the end never runs the statement again";
}

TEST_F(SqliteEngine, ExecuteCountsChangedRows) {
    engine->ExecuteScript("CREATE TABLE T (V INTEGER); INSERT INTO T VALUES (1), (2), (3);");
    EXPECT_EQ(engine->Execute("DELETE FROM T WHERE V > 1", {}), 2);
}

TEST_F(SqliteEngine, RollbackUndoesTheTransactionAndIsHarmlessWithoutOne) {
    engine->ExecuteScript("CREATE TABLE T (V INTEGER);");
    engine->BeginTransaction();
    engine->Execute("INSERT INTO T VALUES (1)", {});
    engine->Rollback();
    engine->Rollback();
    EXPECT_EQ(Scalar("SELECT count(*) FROM T", {}), Variant(std::int64_t{0}));
}

TEST_F(SqliteEngine, AFailedScriptLeavesNothingBehind) {
    EXPECT_THROW(engine->ExecuteScript("CREATE TABLE A (V INTEGER); CREATE TABLE ("),
                 hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT count(*) FROM sqlite_master", {}), Variant(std::int64_t{0}));
}

TEST_F(SqliteEngine, ATransactionKeepsItsRowsOnlyWhenCommitted) {
    engine->ExecuteScript("CREATE TABLE A (V INTEGER)");
    const auto insert = [&] { engine->Execute("INSERT INTO A (V) VALUES (1)", {}); };
    EXPECT_THROW(
        {
            hostfw::Transaction transaction(*engine);
            insert();
            throw hostfw::Exception("falha no meio");
        },
        hostfw::Exception);
    {
        hostfw::Transaction forgotten(*engine);
        insert();
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM A", {}), Variant(std::int64_t{0}));

    hostfw::Transaction transaction(*engine);
    insert();
    transaction.Commit();
    EXPECT_EQ(Scalar("SELECT count(*) FROM A", {}), Variant(std::int64_t{1}));
}

TEST_F(SqliteEngine, AStatementStillRunningAtTheDeadlineIsInterrupted) {
    // About a billion steps: minutes of work unless something stops it.
    const std::string longCount =
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000000) "
        "SELECT count(*) FROM c";
    engine->SetDeadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(100));
    EXPECT_THROW(engine->Query(longCount, {}), hostfw::QueryTimeout);
    EXPECT_THROW(engine->Execute(longCount, {}), hostfw::QueryTimeout)
        << "the deadline holds for the next statement too";

    engine->SetDeadline(std::nullopt);
    EXPECT_EQ(Scalar("SELECT 1", {}), Variant(std::int64_t{1})) << "the connection goes on";
}

TEST_F(SqliteEngine, AnAbandonedCursorStopsAloneAndTheDeadlineStays) {
    const std::string numbers =
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000) "
        "SELECT x FROM c";
    auto kept = engine->Query(numbers, {});
    ASSERT_TRUE(kept->Next());
    auto dropped = engine->Query(numbers, {});
    ASSERT_TRUE(dropped->Next());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::hours(1);
    engine->SetDeadline(deadline);

    hostfw::AbandonRows(*engine, std::move(dropped));
    EXPECT_EQ(engine->Deadline(), deadline);
    int rest = 0;
    while (kept->Next())
        ++rest;
    EXPECT_EQ(rest, 999) << "the other statement on the connection reads on";
}

class SqliteFiles : public ::testing::Test {
protected:
    ~SqliteFiles() override {
        std::filesystem::current_path(workingFolder);
        std::filesystem::remove_all(folder);
    }

    const std::filesystem::path workingFolder = std::filesystem::current_path();
    std::filesystem::path folder = [] {
        auto path = testsupport::PrivateTestFolder("exp036-sqlite");
        std::filesystem::create_directories(path);
        return path;
    }();
};

TEST_F(SqliteFiles, AMissingFileIsAnErrorAndIsNotCreated) {
    const auto path = folder / "nao-existe.sqlite";
    EXPECT_THROW(hostfw::OpenDatabase(path.string()), hostfw::Exception);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SqliteFiles, AFileThatIsNotADatabaseFailsOnOpening) {
    const auto path = folder / "texto.sqlite";
    std::ofstream(path) << "isto não é um banco de dados, apenas um texto bem comprido.\n";
    EXPECT_THROW(hostfw::OpenDatabase(path.string()), hostfw::Exception);
}

TEST_F(SqliteFiles, ANameStartingWithFileIsAPlainFileName) {
    std::filesystem::current_path(folder);
    hostfw::OpenDatabase("file:x.sqlite?mode=memory", true)->ExecuteScript("CREATE TABLE T (V);");
    EXPECT_TRUE(std::filesystem::exists(folder / "file:x.sqlite?mode=memory"));
}

TEST(OpenDatabase, EmptyNameIsRefused) {
    EXPECT_THROW(hostfw::OpenDatabase("", true), hostfw::Exception);
}

}  // namespace
