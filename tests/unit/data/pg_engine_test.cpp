#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "db/demo_data.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/data/data_context.h"
#include "host/data/engine.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "unit/data/engine_test_support.h"
#include "unit/data/read_only_checks.h"

namespace {

using datatest::WithValue;

using hostfw::Engine;
using hostfw::TParams;
using hostfw::Variant;

// A private schema on the server EXP036_PG_URL names, dropped afterwards; without a server
// the tests skip. tests/pg/with_postgres.sh provides one.
class PgEngine : public ::testing::Test {
protected:
    void SetUp() override {
        const char* url = std::getenv("EXP036_PG_URL");
        if (url == nullptr || *url == '\0')
            GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
        schema =
            std::string("t_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        connection = std::string(url) + " options='-c search_path=" + schema + "'";
        engine = hostfw::OpenDatabase(connection);
        engine->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " +
                              schema);
    }

    void TearDown() override {
        if (engine)
            engine->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    }

    Variant Scalar(const std::string& sql, const TParams& params) {
        return datatest::Scalar(*engine, sql, params);
    }

    std::string schema;
    std::string connection;
    std::shared_ptr<Engine> engine;
};

TEST_F(PgEngine, NamedParametersAreBoundByNumber) {
    EXPECT_EQ(Scalar("SELECT :P_A::text || '-' || :p_a::text", WithValue("P_A", "x")),
              Variant("x-x"));
}

TEST_F(PgEngine, EmptyStringIsNotNull) {
    auto cursor = engine->Query("SELECT (:P_A::text) IS NULL, length(:P_A::text)",
                                WithValue("P_A", std::string()));
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(std::int64_t{0}));
    EXPECT_EQ(cursor->Value(1), Variant(std::int64_t{0}));
}

TEST_F(PgEngine, UnassignedAndMissingParametersAreNull) {
    EXPECT_EQ(Scalar("SELECT (:P_A::text) IS NULL", TParams({"P_A"})), Variant(std::int64_t{1}));
    EXPECT_EQ(Scalar("SELECT (:P_B::text) IS NULL", WithValue("P_A", "x")),
              Variant(std::int64_t{1}));
}

TEST_F(PgEngine, LiteralsCommentsAndCastsAreNotParameters) {
    auto cursor = engine->Query("SELECT ':P_X' -- :P_Y\n, :P_D::date::text /* :P_Z */", [] {
        TParams p({"P_D"});
        p[0].SetAsDateTime(hostfw::EncodeDate(2025, 1, 31));
        return p;
    }());
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(":P_X"));
    EXPECT_EQ(cursor->Value(1), Variant("2025-01-31"));
}

TEST_F(PgEngine, ColumnTypesReadBackAsNumbersOrText) {
    auto cursor = engine->Query(
        "SELECT 7::int4, 9000000000::int8, 12.50::numeric(15,2), "
        "true, 'a'::varchar, NULL::text",
        {});
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(std::int64_t{7}));
    EXPECT_EQ(cursor->Value(1), Variant(std::int64_t{9000000000}));
    EXPECT_EQ(cursor->Value(2), Variant(12.5));
    EXPECT_EQ(cursor->Value(3), Variant(std::int64_t{1}));
    EXPECT_EQ(cursor->Value(4), Variant("a"));
    EXPECT_TRUE(cursor->Value(5).IsNull());
}

TEST_F(PgEngine, TextIsNeverReadAsSql) {
    engine->ExecuteScript("CREATE TABLE T (V TEXT)");
    const std::string hostile = "x'); DROP TABLE T; --";
    EXPECT_EQ(engine->Execute("INSERT INTO T VALUES (:P_V)", WithValue("P_V", hostile)), 1);
    EXPECT_EQ(Scalar("SELECT V FROM T", {}), Variant(hostile));
}

TEST_F(PgEngine, CursorsAndOtherStatementsMix) {
    engine->ExecuteScript("CREATE TABLE T (V INTEGER)");
    auto rows = engine->Query("SELECT g FROM generate_series(1, 5000) g ORDER BY g", {});
    long long sum = 0;
    for (int i = 0; i < 10 && rows->Next(); ++i)
        sum += rows->Value(0).AsInteger();
    engine->Execute("INSERT INTO T VALUES (1)", {});
    EXPECT_EQ(Scalar("SELECT count(*) FROM T", {}), Variant(std::int64_t{1}));
    while (rows->Next())
        sum += rows->Value(0).AsInteger();
    EXPECT_EQ(sum, 5000LL * 5001 / 2);
}

TEST_F(PgEngine, AnAbandonedCursorLeavesTheConnectionUsable) {
    {
        auto rows = engine->Query("SELECT g FROM generate_series(1, 10000) g", {});
        ASSERT_TRUE(rows->Next());
    }
    EXPECT_EQ(Scalar("SELECT 2", {}), Variant(std::int64_t{2}));
}

TEST_F(PgEngine, FailuresRaiseAndTheConnectionGoesOn) {
    EXPECT_THROW(engine->Query("SELECT * FROM inexistente", {}), hostfw::Exception);
    EXPECT_THROW(engine->Query("SELECT 1/0", {}), hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT 3", {}), Variant(std::int64_t{3}));
}

TEST_F(PgEngine, ACommitAfterAFailedStatementIsReportedAsAFailure) {
    engine->ExecuteScript("CREATE TABLE T (V INTEGER PRIMARY KEY)");
    engine->BeginTransaction();
    engine->Execute("INSERT INTO T VALUES (1)", {});
    EXPECT_THROW(engine->Execute("INSERT INTO T VALUES (1)", {}), hostfw::Exception);
    EXPECT_THROW(engine->Commit(), hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T", {}), Variant(std::int64_t{0}));
}

TEST_F(PgEngine, SharedSchemaAndTestRowsLoad) {
    demodb::BuildTestDatabase(*engine);
    EXPECT_EQ(Scalar("SELECT count(*) FROM NOTAFISCAL", {}), Variant(std::int64_t{7}));
    EXPECT_EQ(Scalar("SELECT VRTOTALNF FROM NOTAFISCAL WHERE NRLANCTONF = '6'", {}),
              Variant(12345.67));
    EXPECT_EQ(Scalar("SELECT DTCANCEXPED::text FROM EXPEDICAO WHERE NRLANCTONF = '4'", {}),
              Variant("2025-01-23"));
}

TEST_F(PgEngine, ListMembershipMatchesWholeKeys) {
    demodb::BuildTestDatabase(*engine);
    // "1" is in the list, "11" only as part of a longer key: a bare substring test would match it.
    EXPECT_EQ(Scalar("SELECT string_agg(NRLANCTONF, ' ' ORDER BY NRLANCTONF) FROM NOTAFISCAL "
                     "WHERE strpos(:P_CDCLIENTE, ',' || CDCLIENTE || ',') > 0",
                     WithValue("P_CDCLIENTE", ",1,3,")),
              Variant("1 4 5 7"));
}

TEST_F(PgEngine, QueriesRunOnTheSessionsServerDatabase) {
    demodb::BuildTestDatabase(*engine);
    hostfw::DataContext context;
    context.Session().database = connection;
    {
        hostfw::TContextOwner owner(context);
        hostfw::TADOIBQuery query(&owner);
        auto* name = new hostfw::TStringField(&query);
        name->SetFieldName("NMFILIAL");
        name->SetDataSet(&query);
        query.SetSQL({"SELECT NMFILIAL FROM FILIAL", "WHERE CDFILIAL = :P_CDFILIAL"});
        query.SetSQL_MSSQL({"SELECT TOP 1 NMFILIAL FROM dbo.FILIAL"});
        query.ParamByName("P_CDFILIAL").SetAsString("0003");
        query.Open();
        EXPECT_EQ(name->AsString(), "Filial Curitiba");
    }
}

// Ends a connection's server session from outside, as a server restart does.
void TerminateBackend(Engine& victim, Engine& other) {
    const Variant pid = datatest::Scalar(victim, "SELECT pg_backend_pid()", TParams());
    datatest::Scalar(other, "SELECT pg_terminate_backend(CAST(:P_PID AS INTEGER))",
                     WithValue("P_PID", pid));
}

TEST_F(PgEngine, ADroppedConnectionIsBrokenAndTheSessionOpensANewOne) {
    hostfw::DataContext context;
    context.Session().database = connection;
    const std::shared_ptr<Engine> first = context.Database().Open();
    EXPECT_FALSE(first->IsBroken());
    TerminateBackend(*first, *engine);
    EXPECT_THROW(first->Query("SELECT 1", TParams()), hostfw::Exception);
    EXPECT_TRUE(first->IsBroken());

    const std::shared_ptr<Engine> second = context.Database().Open();
    EXPECT_NE(second, first);
    EXPECT_EQ(Scalar("SELECT 1", TParams()).AsString(), "1");
    EXPECT_EQ(datatest::Scalar(*second, "SELECT 2", TParams()).AsString(), "2");
}

TEST_F(PgEngine, ATextHoldingNulIsRefusedRatherThanCutShort) {
    const std::string withNul("0001\0resto", 10);
    EXPECT_THROW(Scalar("SELECT CAST(:P_A AS TEXT)", WithValue("P_A", withNul)), hostfw::Exception);
}

TEST_F(PgEngine, AStatementStillRunningAtTheDeadlineIsCancelledOnTheServer) {
    engine->SetDeadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(200));
    EXPECT_THROW(engine->Query("SELECT pg_sleep(60)", TParams()), hostfw::QueryTimeout);
    EXPECT_THROW(engine->Execute("SELECT pg_sleep(60)", TParams()), hostfw::QueryTimeout);
    EXPECT_THROW(engine->ExecuteScript("SELECT 1; SELECT pg_sleep(60)"), hostfw::QueryTimeout);

    engine->SetDeadline(std::nullopt);
    EXPECT_FALSE(engine->IsBroken());
    EXPECT_EQ(Scalar("SELECT 1", TParams()).AsString(), "1") << "the connection goes on";
}

TEST(PostgresConnection, AnUnreachableServerIsAClearFailure) {
    try {
        hostfw::OpenDatabase("host=127.0.0.1 port=1 dbname=x connect_timeout=2");
        FAIL() << "connected";
    } catch (const hostfw::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("PostgreSQL"), std::string::npos) << error.what();
    }
}

TEST(PostgresConnection, OnlyConnectionStringsGoToTheServer) {
    EXPECT_TRUE(hostfw::IsPostgresConnection("postgresql://u@h/db"));
    EXPECT_TRUE(hostfw::IsPostgresConnection("host=/tmp port=5432 dbname=exp036"));
    EXPECT_FALSE(hostfw::IsPostgresConnection("demo.sqlite"));
    EXPECT_FALSE(hostfw::IsPostgresConnection("dados/a=b.sqlite"));
    EXPECT_FALSE(hostfw::IsPostgresConnection("/tmp/x y.sqlite"));
}

TEST_F(PgEngine, AReadOnlyTransactionRefusesEveryWrite) {
    engine->ExecuteScript("CREATE SEQUENCE S");
    datatest::MakeTable(*engine);
    datatest::ExpectEachRefused(*engine, datatest::kWritesOnBothEngines);
    datatest::ExpectEachRefused(
        *engine,
        {"WITH U AS (UPDATE T SET V = 5 RETURNING V) SELECT * FROM U", "SELECT nextval('S')",
         "SELECT * FROM T FOR UPDATE", "SELECT set_config('transaction_read_only', 'off', true)",
         "SELECT V INTO NOVA FROM T"});
    datatest::ExpectTableUntouched(*engine);
    EXPECT_EQ(datatest::Scalar(*engine,
                               "SELECT CASE WHEN is_called THEN 'usada' ELSE 'nova' END "
                               "FROM S",
                               TParams()),
              hostfw::Variant("nova"));
}

TEST_F(PgEngine, ASettingChangedInAReadOnlyTransactionIsUndoneWithIt) {
    datatest::MakeTable(*engine);
    {
        hostfw::Transaction transaction(*engine, hostfw::TransactionKind::ReadOnly);
        datatest::Scalar(*engine, "SELECT set_config('search_path', 'public', false)", TParams());
    }
    datatest::ExpectTableUntouched(*engine);  // T is found through the schema's own search path
    engine->Execute("UPDATE T SET V = 2", TParams());
    EXPECT_EQ(datatest::Scalar(*engine, "SELECT V FROM T", TParams()), hostfw::Variant(2));
}

}  // namespace
