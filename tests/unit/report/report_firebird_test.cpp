#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/report/report_commands.h"
#include "report_test_support.h"
#include "support/failure_of.h"
#include "support/firebird_database.h"
#include "unit/data/engine_test_support.h"

namespace reporttest {
namespace {

using testsupport::FirebirdPlace;

// The shipped definitions on Firebird, an embedded file or (FbServer, under
// tests/firebird/with_firebird.sh) a server's database, list the same rows as on SQLite.
class FbReports : public ReportTest, public ::testing::WithParamInterface<FirebirdPlace> {
protected:
    void SetUp() override {
        if (GetParam() == FirebirdPlace::Server && !testsupport::FirebirdServerAvailable())
            GTEST_SKIP() << "sem servidor Firebird (tests/firebird/with_firebird.sh)";
        place_ = std::make_unique<testsupport::FirebirdTestDatabase>(GetParam());
        firebird = hostfw::OpenDatabase(place_->Connection());
        demodb::BuildTestDatabase(*firebird);
    }

    std::shared_ptr<hostfw::Engine> firebird;

private:
    std::unique_ptr<testsupport::FirebirdTestDatabase> place_;
};

TEST_P(FbReports, BothVariantsListTheSameRowsAsOnSqlite) {
    for (const auto& [index, choices] : EveryRestriction())
        EXPECT_EQ(CsvOn(*firebird, index, choices), CsvOn(*database, index, choices));
    // A list longer than a VARCHAR holds still selects by whole keys.
    FormChoices many;
    many.clientsFlag = "";
    many.clients = ",";
    for (int client = 100; many.clients.size() < 40000; ++client)
        many.clients += std::to_string(client) + ",";
    many.clients += "3,";
    EXPECT_EQ(CsvOn(*firebird, 0, many), CsvOn(*database, 0, many));
    EXPECT_GT(CsvOn(*firebird, 0, {}).size(), 200u) << "the fixed rows reach the report";
}

TEST_P(FbReports, AnUnassignedParameterMatchesNothingThere) {
    const auto text = PreviewWithUnassignedFlag(*firebird);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("Nenhum lançamento encontrado"), std::string::npos);
}

TEST_P(FbReports, SqlThatWouldWriteFailsTheRunAndChangesNothing) {
    firebird->ExecuteScript("CREATE SEQUENCE SEQ");
    const std::string amounts = "SELECT COUNT(*) || '/' || SUM(VRTOTALNF) FROM NOTAFISCAL";
    const hostfw::Variant before = datatest::Scalar(*firebird, amounts, {});
    for (const char* sql : {"DROP TABLE EXPEDICAO", "SELECT GEN_ID(SEQ, 1) FROM RDB$DATABASE",
                            "EXECUTE BLOCK AS BEGIN DELETE FROM EXPEDICAO; END",
                            "SELECT * FROM NOTAFISCAL WITH LOCK"}) {
        hostfw::ReportDefinition definition = catalog->Definition(0);
        definition.sql.firebird = sql;
        const hostfw::ReportRequest onFirebird = RequestOn(*firebird, definition);
        EXPECT_NE(testsupport::FailureOf([&] { hostfw::PreviewReport(onFirebird); }),
                  "(nenhuma falha)")
            << sql;
    }
    EXPECT_EQ(datatest::Scalar(*firebird, amounts, {}), before);
    EXPECT_EQ(datatest::Scalar(*firebird, "SELECT GEN_ID(SEQ, 0) FROM RDB$DATABASE", {}),
              hostfw::Variant(0));
    EXPECT_GT(datatest::Scalar(*firebird, "SELECT COUNT(*) FROM EXPEDICAO", {}).AsInteger(), 0);
}

TEST_P(FbReports, ADefinitionWithoutFirebirdsStatementSaysSo) {
    hostfw::ReportDefinition definition = catalog->Definition(0);
    definition.sql.firebird.clear();
    const hostfw::ReportRequest onFirebird = RequestOn(*firebird, definition);
    EXPECT_THAT(testsupport::FailureOf([&] { hostfw::PreviewReport(onFirebird); }),
                ::testing::HasSubstr("falta o SQL para o banco Firebird"));
}

INSTANTIATE_TEST_SUITE_P(FbEmbedded, FbReports, ::testing::Values(FirebirdPlace::Embedded),
                         testsupport::FirebirdPlaceName);
INSTANTIATE_TEST_SUITE_P(FbServer, FbReports, ::testing::Values(FirebirdPlace::Server),
                         testsupport::FirebirdPlaceName);

}  // namespace
}  // namespace reporttest
