#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/data/sql_parameters.h"

namespace {

using hostfw::DeclaredParameters;
using hostfw::NumberedParameters;
using Names = std::vector<std::string>;
constexpr auto kPostgres = hostfw::EngineKind::PostgreSQL;
constexpr auto kSqlite = hostfw::EngineKind::SQLite;

TEST(SqlParameterScan, NamesInOrderOfFirstUseCaseIgnored) {
    EXPECT_EQ(DeclaredParameters("SELECT * FROM T WHERE A = :P_A AND B = :p_b OR :P_a IS NULL",
                                 kPostgres),
              (Names{"P_A", "p_b"}));
}

TEST(SqlParameterScan, LiteralsAndQuotedNamesHideColons) {
    EXPECT_EQ(DeclaredParameters("SELECT ':P_X', 'it''s :P_Y', \":P_Z\" FROM T WHERE A = :P_A",
                                 kPostgres),
              (Names{"P_A"}));
}

TEST(SqlParameterScan, CommentsHideColons) {
    EXPECT_EQ(
        DeclaredParameters("SELECT 1 -- :P_X\nFROM T /* :P_Y\n :P_Z */ WHERE A = :P_A", kPostgres),
        (Names{"P_A"}));
}

TEST(SqlParameterScan, CastsAndTimesAreNotParameters) {
    EXPECT_EQ(DeclaredParameters("SELECT :P_D::date, '12:30', x::text FROM T", kPostgres),
              (Names{"P_D"}));
}

TEST(SqlParameterScan, UnterminatedLiteralOrCommentEndsTheScan) {
    EXPECT_EQ(DeclaredParameters("SELECT :P_A, 'aberto :P_B", kPostgres), (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT :P_A /* aberto :P_B", kPostgres), (Names{"P_A"}));
}

TEST(SqlParameterScan, BareColonIsNotAParameter) {
    EXPECT_TRUE(DeclaredParameters("SELECT a[1:2], : , :1 FROM T", kPostgres).empty());
}

// Each engine's own quoting hides what it holds, and only that engine's: SQLite reads E'\' as a
// name and a literal, PostgreSQL as one literal holding a quote.
TEST(SqlParameterScan, EachEnginesQuotingHidesColons) {
    EXPECT_EQ(DeclaredParameters("SELECT E'it\\'s :P_X', $$ :P_Y $$, $q$ $$ :P_Z $q$, :P_A "
                                 "/* a /* nested */ :P_W */ FROM T",
                                 kPostgres),
              (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT [a:P_X], `b:P_Y``:P_Z`, :P_A FROM T", kSqlite),
              (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT E'\\' , :P_A --'", kSqlite), (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT E'\\' , :P_A --'", kPostgres), Names{});
    EXPECT_EQ(DeclaredParameters("SELECT $1, a$b, :P_A FROM T", kPostgres), (Names{"P_A"}));
    // Firebird: q-literals with a delimiter of the writer's choice, and no [..] or `..` quoting.
    EXPECT_EQ(DeclaredParameters("SELECT q'{it's :P_X}', Q'!a' :P_Y!', :P_A FROM RDB$DATABASE",
                                 hostfw::EngineKind::Firebird),
              (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT [1], `x`, :P_A /* :P_B /* */ :P_C */ FROM T",
                                 hostfw::EngineKind::Firebird),
              (Names{"P_A", "P_C"}));
}

TEST(SqlParameterNumbering, RepeatedNameKeepsItsNumber) {
    EXPECT_EQ(NumberedParameters("WHERE A = :P_A AND (:P_B = 'T' OR :p_a = B)"),
              "WHERE A = $1 AND ($2 = 'T' OR $1 = B)");
}

TEST(SqlParameterNumbering, LiteralsCommentsAndCastsStayAsWritten) {
    const std::string sql =
        "SELECT ':P_X' || :P_A::text -- :P_Y\n/* :P_Z */ FROM \"T:P\" WHERE strpos(:P_L, ',')";
    EXPECT_EQ(NumberedParameters(sql),
              "SELECT ':P_X' || $1::text -- :P_Y\n/* :P_Z */ FROM \"T:P\" WHERE strpos($2, ',')");
}

TEST(SqlParameterNumbering, TextWithoutParametersIsUnchanged) {
    EXPECT_EQ(NumberedParameters("SELECT 'a:b' FROM T"), "SELECT 'a:b' FROM T");
}

}  // namespace
