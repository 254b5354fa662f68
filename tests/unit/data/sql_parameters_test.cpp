#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/data/sql_parameters.h"

namespace {

using hostfw::DeclaredParameters;
using hostfw::NumberedParameters;
using Names = std::vector<std::string>;

TEST(SqlParameterScan, NamesInOrderOfFirstUseCaseIgnored) {
    EXPECT_EQ(DeclaredParameters("SELECT * FROM T WHERE A = :P_A AND B = :p_b OR :P_a IS NULL"),
              (Names{"P_A", "p_b"}));
}

TEST(SqlParameterScan, LiteralsAndQuotedNamesHideColons) {
    EXPECT_EQ(DeclaredParameters("SELECT ':P_X', 'it''s :P_Y', \":P_Z\" FROM T WHERE A = :P_A"),
              (Names{"P_A"}));
}

TEST(SqlParameterScan, CommentsHideColons) {
    EXPECT_EQ(DeclaredParameters("SELECT 1 -- :P_X\nFROM T /* :P_Y\n :P_Z */ WHERE A = :P_A"),
              (Names{"P_A"}));
}

TEST(SqlParameterScan, CastsAndTimesAreNotParameters) {
    EXPECT_EQ(DeclaredParameters("SELECT :P_D::date, '12:30', x::text FROM T"), (Names{"P_D"}));
}

TEST(SqlParameterScan, UnterminatedLiteralOrCommentEndsTheScan) {
    EXPECT_EQ(DeclaredParameters("SELECT :P_A, 'aberto :P_B"), (Names{"P_A"}));
    EXPECT_EQ(DeclaredParameters("SELECT :P_A /* aberto :P_B"), (Names{"P_A"}));
}

TEST(SqlParameterScan, BareColonIsNotAParameter) {
    EXPECT_TRUE(DeclaredParameters("SELECT a[1:2], : , :1 FROM T").empty());
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
