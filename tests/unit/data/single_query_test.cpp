#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/data/single_query.h"

namespace {

using hostfw::SingleQueryProblem;

TEST(SingleQuery, AReadingQueryPassesHoweverItIsWritten) {
    for (const char* sql :
         {"SELECT 1", "select * from T;", "  -- comentário\n(SELECT A FROM T) UNION SELECT 2;;",
          "WITH X AS (SELECT 1 AS A) SELECT A FROM X /* fim; */",
          "SELECT 'INSERT; DELETE', \"UPDATE\" FROM T -- ; DROP TABLE T",
          "SELECT REPLACE(NOME, ';', ',') FROM T WHERE UPDATED_AT > :P_DATA"}) {
        EXPECT_EQ(SingleQueryProblem(sql), std::nullopt) << sql;
    }
}

TEST(SingleQuery, AnotherCommandAfterTheQueryIsRefused) {
    EXPECT_EQ(SingleQueryProblem("SELECT 1; DROP TABLE EXPEDICAO"),
              "deveria ser uma única consulta, mas tem mais de um comando");
    EXPECT_EQ(SingleQueryProblem("SELECT 1;'x'"),
              "deveria ser uma única consulta, mas tem mais de um comando");
}

TEST(SingleQuery, ACommandThatIsNotAQueryIsRefused) {
    for (const char* sql : {"DROP TABLE EXPEDICAO", "VACUUM INTO '/tmp/copia'", "PRAGMA x = 1",
                            "ATTACH 'x' AS y", "-- só um comentário", "'SELECT 1'"}) {
        EXPECT_EQ(SingleQueryProblem(sql), "deveria ser uma consulta (SELECT ou WITH ... SELECT)")
            << sql;
    }
}

TEST(SingleQuery, AQueryThatWritesIsRefusedNamingTheWord) {
    EXPECT_EQ(SingleQueryProblem("WITH X AS (SELECT 1) UPDATE NOTAFISCAL SET VRTOTALNF = 0 "
                                 "RETURNING *"),
              "deveria só ler dados, mas usa UPDATE");
    EXPECT_EQ(SingleQueryProblem("with d as (delete from T returning *) select * from d"),
              "deveria só ler dados, mas usa DELETE");
    EXPECT_EQ(SingleQueryProblem("SELECT * INTO COPIA FROM NOTAFISCAL"),
              "deveria só ler dados, mas usa INTO");
}

}  // namespace
