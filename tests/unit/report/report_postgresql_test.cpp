#include <gtest/gtest.h>

#include <cstdlib>

#include <gmock/gmock.h>

#include "host/report/report_commands.h"
#include "report_test_support.h"
#include "support/failure_of.h"
#include "unit/data/engine_test_support.h"

namespace reporttest {
namespace {

// The shipped definitions on PostgreSQL (the server EXP036_PG_URL names, in a private schema)
// list the same rows as on SQLite; without a server the tests skip.
class PgReports : public ReportTest {
protected:
    void SetUp() override {
        const char* url = std::getenv("EXP036_PG_URL");
        if (url == nullptr || *url == '\0')
            GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
        schema_ =
            std::string("r_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        postgres =
            hostfw::OpenDatabase(std::string(url) + " options='-c search_path=" + schema_ + "'");
        postgres->ExecuteScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE; CREATE SCHEMA " +
                                schema_);
        demodb::BuildTestDatabase(*postgres);
    }
    void TearDown() override {
        if (postgres)
            postgres->ExecuteScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    }

    std::shared_ptr<hostfw::Engine> postgres;

private:
    std::string schema_;
};

TEST_F(PgReports, BothVariantsListTheSameRowsAsOnSqlite) {
    for (const auto& [index, choices] : EveryRestriction())
        EXPECT_EQ(CsvOn(*postgres, index, choices), CsvOn(*database, index, choices));
    EXPECT_GT(CsvOn(*postgres, 0, {}).size(), 200u) << "the fixed rows reach the report";
}

TEST_F(PgReports, AnUnassignedParameterMatchesNothingThere) {
    const auto text = PreviewWithUnassignedFlag(*postgres);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Nenhum lançamento encontrado"), std::string::npos);
}

TEST_F(PgReports, SqlThatWouldWriteFailsTheRunAndChangesNothing) {
    const std::string amounts = "SELECT COUNT(*) || '/' || SUM(VRTOTALNF) FROM NOTAFISCAL";
    const hostfw::Variant before = datatest::Scalar(*postgres, amounts, {});
    for (const char* sql :
         {"DROP TABLE EXPEDICAO",
          "WITH U AS (UPDATE NOTAFISCAL SET VRTOTALNF = 0 RETURNING *) SELECT * FROM U"}) {
        hostfw::ReportDefinition definition = catalog->Definition(0);
        definition.sql.postgresql = sql;
        const hostfw::ReportRequest onPostgres = RequestOn(*postgres, definition);
        EXPECT_THAT(testsupport::FailureOf([&] { hostfw::PreviewReport(onPostgres); }),
                    ::testing::HasSubstr("read-only transaction"))
            << sql;
    }
    EXPECT_EQ(datatest::Scalar(*postgres, amounts, {}), before);
    EXPECT_GT(datatest::Scalar(*postgres, "SELECT COUNT(*) FROM EXPEDICAO", {}).AsInteger(), 0);
}

}  // namespace
}  // namespace reporttest
