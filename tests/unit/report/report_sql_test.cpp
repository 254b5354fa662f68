// A report definition is a file anyone with the folder may edit: its SQL is refused when it is
// not one query, and whatever slips through still cannot change the database.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "report_test_support.h"
#include "support/failure_of.h"
#include "unit/data/engine_test_support.h"

namespace reporttest {
namespace {

using ::testing::HasSubstr;

class ReportSql : public ReportTest {
protected:
    // The shipped issue-date definition with `change` made to its document.
    std::string LoadChanged(const std::function<void(nlohmann::ordered_json&)>& change) {
        auto document = nlohmann::ordered_json::parse(ReadFile(reportFolder / "EXP036-001.json"));
        change(document);
        const std::filesystem::path file = reportFolder / "EXP036-001.json";
        return testsupport::FailureOf(
            [&] { hostfw::ParseReportDefinition(document.dump(), file); });
    }

    std::string Prefix() const {
        return "Definição de relatório inválida em '" +
               (reportFolder / "EXP036-001.json").string() + "': ";
    }
};

TEST_F(ReportSql, TheLoaderRefusesSqlThatIsNotOneQueryAndNamesTheFile) {
    EXPECT_EQ(LoadChanged([](auto& d) { d["sql"] = "SELECT 1 AS A; DROP TABLE EXPEDICAO"; }),
              Prefix() +
                  "sql: o SQL para sqlite deveria ser uma única consulta, mas tem mais de "
                  "um comando.");
    EXPECT_EQ(LoadChanged([](auto& d) { d["sql"]["postgresql"] = "DROP TABLE EXPEDICAO"; }),
              Prefix() +
                  "sql: o SQL para postgresql deveria ser uma consulta (SELECT ou WITH ... "
                  "SELECT).");
    EXPECT_EQ(LoadChanged([](auto& d) {
                  d["lookups"][0]["sql"] =
                      "WITH X AS (SELECT 1) UPDATE NOTAFISCAL SET VRTOTALNF = 0 RETURNING 1";
              }),
              Prefix() + "lookups[0].sql: o SQL para sqlite deveria só ler dados, mas usa UPDATE.");
}

// dblink runs its text on a connection of its own, which the report's read-only transaction
// does not cover: the loader refuses it, however the text hides it from a simpler reading
// (E'...' and dollar quotes on PostgreSQL, brackets and backticks on SQLite).
TEST_F(ReportSql, TheLoaderRefusesFunctionsThatActOutsideTheTransactionHoweverQuoted) {
    const std::string dblink =
        "dblink_exec('dbname=exp036', 'WITH d AS (DELETE FROM CONSULTA_SALVA RETURNING 1) "
        "SELECT 1')";
    EXPECT_EQ(LoadChanged([&](auto& d) {
                  d["sql"]["postgresql"] = "SELECT E'\\'', " + dblink + " AS x --'";
              }),
              Prefix() +
                  "sql: o SQL para postgresql não pode usar dblink_exec: a função age fora da "
                  "transação do relatório.");
    EXPECT_EQ(LoadChanged([&](auto& d) {
                  d["sql"]["postgresql"] = "SELECT $q$'$q$ AS x, " + dblink + " AS y --'";
              }),
              Prefix() +
                  "sql: o SQL para postgresql não pode usar dblink_exec: a função age fora da "
                  "transação do relatório.");
    EXPECT_EQ(LoadChanged([](auto& d) {
                  d["sql"]["sqlite"] = "SELECT [a'b] FROM FILIAL; DELETE FROM FILIAL --'";
              }),
              Prefix() +
                  "sql: o SQL para sqlite deveria ser uma única consulta, mas tem mais de um "
                  "comando.");
}

TEST_F(ReportSql, ANumberTooLargeForTheParserIsRefusedLikeAnyFault) {
    const std::filesystem::path file = reportFolder / "EXP036-001.json";
    EXPECT_EQ(testsupport::FailureOf(
                  [&] { hostfw::ParseReportDefinition("{\"sequence\": 1e999999}", file); }),
              Prefix() + "número fora do intervalo.");
}

// What the loader cannot see is stopped by the database: the definition's SQL is replaced
// after loading, as a check the loader missed would let it through.
TEST_F(ReportSql, SqlThatWouldWriteFailsTheRunAndChangesNothing) {
    const std::filesystem::path copy = folder / "copia.sqlite";
    const std::string amounts = "SELECT COUNT(*) || '/' || SUM(VRTOTALNF) FROM NOTAFISCAL";
    const hostfw::Variant before = datatest::Scalar(*database, amounts, {});
    for (const std::string& sql :
         {std::string("DROP TABLE EXPEDICAO"),
          std::string("WITH X AS (SELECT 1) UPDATE NOTAFISCAL SET VRTOTALNF = 0 RETURNING *"),
          "VACUUM INTO '" + copy.string() + "'"}) {
        hostfw::ReportDefinition definition = catalog->Definition(0);
        definition.sql.sqlite = sql;
        EXPECT_THAT(testsupport::FailureOf([&] { hostfw::PreviewReport(Request(definition)); }),
                    HasSubstr("'EXP036-001.json': Erro no banco de dados: o comando não é "
                              "permitido"))
            << sql;
    }
    EXPECT_EQ(datatest::Scalar(*database, amounts, {}), before);
    EXPECT_GT(datatest::Scalar(*database, "SELECT COUNT(*) FROM EXPEDICAO", {}).AsInteger(), 0);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(hostfw::PreviewReport(Request(0))) << "the shipped report still runs";
}

}  // namespace
}  // namespace reporttest
