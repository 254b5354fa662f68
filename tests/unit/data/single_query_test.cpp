#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/data/engine.h"
#include "host/data/single_query.h"

namespace {

using hostfw::SingleQueryProblem;
constexpr auto kPostgres = hostfw::EngineKind::PostgreSQL;
constexpr auto kSqlite = hostfw::EngineKind::SQLite;

TEST(SingleQuery, AReadingQueryPassesHoweverItIsWritten) {
    for (const char* sql :
         {"SELECT 1", "select * from T;", "  -- comentário\n(SELECT A FROM T) UNION SELECT 2;;",
          "WITH X AS (SELECT 1 AS A) SELECT A FROM X /* fim; */",
          "SELECT 'INSERT; DELETE', \"UPDATE\" FROM T -- ; DROP TABLE T",
          "SELECT REPLACE(NOME, ';', ',') FROM T WHERE UPDATED_AT > :P_DATA"}) {
        EXPECT_EQ(SingleQueryProblem(sql, kSqlite), std::nullopt) << sql;
    }
}

TEST(SingleQuery, AnotherCommandAfterTheQueryIsRefused) {
    EXPECT_EQ(SingleQueryProblem("SELECT 1; DROP TABLE EXPEDICAO", kPostgres),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT 1;'x'", kPostgres),
              "deveria ser uma única consulta, mas tem mais de um comando");
}

TEST(SingleQuery, ACommandThatIsNotAQueryIsRefused) {
    for (const char* sql : {"DROP TABLE EXPEDICAO", "VACUUM INTO '/tmp/copia'", "PRAGMA x = 1",
                            "ATTACH 'x' AS y", "-- só um comentário", "'SELECT 1'"}) {
        EXPECT_EQ(SingleQueryProblem(sql, kSqlite),
                  "deveria ser uma consulta (SELECT ou WITH ... SELECT)")
            << sql;
    }
}

TEST(SingleQuery, AQueryThatWritesIsRefusedNamingTheWord) {
    EXPECT_EQ(SingleQueryProblem("WITH X AS (SELECT 1) UPDATE NOTAFISCAL SET VRTOTALNF = 0 "
                                 "RETURNING *",
                                 kPostgres),
              "deveria só ler dados, mas usa UPDATE");
    EXPECT_EQ(
        SingleQueryProblem("with d as (delete from T returning *) select * from d", kPostgres),
        "deveria só ler dados, mas usa DELETE");
    EXPECT_EQ(SingleQueryProblem("SELECT * INTO COPIA FROM NOTAFISCAL", kPostgres),
              "deveria só ler dados, mas usa INTO");
}

// What one engine reads as a literal the other may read as code: each text is judged as its own
// engine reads it, so nothing hides behind a quoting form the check does not know.
TEST(SingleQuery, EachEnginesQuotingIsReadAsThatEngineReadsIt) {
    // PostgreSQL: E'\'' holds a quote; dollar quotes hold anything; block comments nest.
    EXPECT_EQ(SingleQueryProblem("SELECT E'\\'', 1; DELETE FROM T --'", kPostgres),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT $$'$$ FROM T; DELETE FROM T --'", kPostgres),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT $x$ ; DELETE $x$, '$$;' FROM T /* /* */ ; */", kPostgres),
              std::nullopt);
    // SQLite: [ ] and backticks quote names; E is a name there, not a prefix.
    EXPECT_EQ(SingleQueryProblem("SELECT [a'b] FROM T; DELETE FROM T --'", kSqlite),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT `x'`, 1; DELETE FROM T --'", kSqlite),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT E'\\' , load_extension('x') --'", kSqlite),
              "não pode usar load_extension: a função age fora da transação do relatório");
    EXPECT_EQ(SingleQueryProblem("SELECT [;DELETE], `;` FROM T", kSqlite), std::nullopt);
}

// dblink runs its text on a connection of its own, which no read-only transaction of the report
// covers; large objects, the server's files and session locks outlive the transaction too.
TEST(SingleQuery, AFunctionThatActsOutsideTheTransactionIsRefusedHoweverNamed) {
    for (const char* sql :
         {"SELECT dblink_exec('dbname=exp036', 'DELETE FROM CONSULTA_SALVA') FROM FILIAL",
          "SELECT * FROM public.DBLINK('x', $$SELECT 1$$) AS t(a int)",
          "SELECT \"dblink_exec\" ('x', 'y')", "SELECT lo_from_bytea(0, 'x')",
          "SELECT pg_read_file('/etc/passwd')", "SELECT pg_advisory_lock(1)",
          "SELECT 1 WHERE pg_notify('c', 'x') IS NULL",
          "SELECT query_to_xml('SELECT dblink_exec(1)', true, true, '')"}) {
        const auto problem = SingleQueryProblem(sql, kPostgres);
        ASSERT_TRUE(problem) << sql;
        EXPECT_NE(problem->find(": a função age fora da transação do relatório"), std::string::npos)
            << *problem;
    }
    EXPECT_EQ(SingleQueryProblem("SELECT U&\"d\\0062link_exec\"('x', 'y')", kPostgres),
              "usa um nome com escapes Unicode (U&\"...\"), que não é aceito");
    EXPECT_EQ(
        SingleQueryProblem("SELECT 'dblink_exec(1)', \"LOJA\" FROM T -- lo_unlink(1)", kPostgres),
        std::nullopt);
}

}  // namespace
