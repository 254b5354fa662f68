// Values on the Firebird engine: named parameters bound with their types, columns read back
// with theirs, and what the database cannot take refused clearly.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/data/engine.h"
#include "support/failure_of.h"
#include "unit/data/engine_test_support.h"
#include "unit/data/fb_engine_fixture.h"

namespace {

using datatest::WithValue;
using hostfw::TParams;
using hostfw::Variant;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using testsupport::FailureOf;
using testsupport::FirebirdPlace;

class FbValues : public datatest::FirebirdEngineTest {};

constexpr const char* kOneRow = " FROM RDB$DATABASE";

TEST_P(FbValues, NamedParametersAreBoundAtEveryPlaceTheyAppear) {
    EXPECT_EQ(Scalar(std::string("SELECT CAST(:P_A AS VARCHAR(5)) || '-' || ") +
                         "CAST(:p_a AS VARCHAR(5)) || CAST(:P_B AS VARCHAR(5))" + kOneRow,
                     [] {
                         TParams params({"P_A", "P_B"});
                         params[0].SetAsString("x");
                         params[1].SetAsString("y");
                         return params;
                     }()),
              Variant("x-xy"));
}

TEST_P(FbValues, EmptyTextIsNotNullAndUnsetParametersAreNull) {
    auto cursor = engine->Query(
        std::string("SELECT CASE WHEN CAST(:P_A AS VARCHAR(5)) IS NULL THEN 1 ELSE 0 END, "
                    "CHAR_LENGTH(CAST(:P_A AS VARCHAR(5))), "
                    "CASE WHEN CAST(:P_B AS VARCHAR(5)) IS NULL THEN 1 ELSE 0 END, "
                    "CASE WHEN CAST(:P_C AS VARCHAR(5)) IS NULL THEN 1 ELSE 0 END") +
            kOneRow,
        [] {
            TParams params({"P_A", "P_B"});
            params[0].SetAsString("");
            return params;  // P_B unassigned, P_C missing
        }());
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(0));
    EXPECT_EQ(cursor->Value(1), Variant(0));
    EXPECT_EQ(cursor->Value(2), Variant(1));
    EXPECT_EQ(cursor->Value(3), Variant(1));
    // Without a cast Firebird gives the parameter no type of its own.
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM RDB$DATABASE WHERE :P_X IS NULL", TParams({"P_X"})),
              Variant(1));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM RDB$DATABASE WHERE :P_X IS NULL", WithValue("P_X", 5)),
              Variant(0));
}

TEST_P(FbValues, LiteralsAndCommentsKeepTheirColons) {
    auto cursor = engine->Query(
        "SELECT ':P_X' -- :P_Y\n, CAST(:P_D AS DATE) /* :P_Z */ FROM RDB$DATABASE", [] {
            TParams params({"P_D"});
            params[0].SetAsDateTime(hostfw::EncodeDate(2025, 1, 31));
            return params;
        }());
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(":P_X"));
    EXPECT_EQ(cursor->Value(1), Variant("2025-01-31"));
}

TEST_P(FbValues, ColumnsReadBackWithTheirTypes) {
    engine->ExecuteScript(
        "CREATE TABLE TIPOS (I INTEGER, G BIGINT, N NUMERIC(15,2), D DOUBLE PRECISION, "
        "B BOOLEAN, C CHAR(3), V VARCHAR(10), DT DATE, TS TIMESTAMP, H TIME, "
        "TX BLOB SUB_TYPE TEXT, NADA VARCHAR(1));"
        "INSERT INTO TIPOS VALUES (7, 9000000000, 12345.67, 0.25, TRUE, 'ã', 'ação', "
        "'2025-01-31', '2025-01-31 10:20:30', '08:05:00.5', 'texto longo', NULL);");
    auto cursor = engine->Query("SELECT * FROM TIPOS", TParams());
    EXPECT_THAT(cursor->ColumnNames(), ::testing::ElementsAre("I", "G", "N", "D", "B", "C", "V",
                                                              "DT", "TS", "H", "TX", "NADA"));
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant(7));
    EXPECT_EQ(cursor->Value(1), Variant(std::int64_t{9000000000}));
    EXPECT_EQ(cursor->Value(2), Variant(12345.67));
    EXPECT_EQ(cursor->Value(3), Variant(0.25));
    EXPECT_EQ(cursor->Value(4), Variant(1));
    EXPECT_EQ(cursor->Value(5), Variant("ã  "));  // three characters, as declared
    EXPECT_EQ(cursor->Value(6), Variant("ação"));
    EXPECT_EQ(cursor->Value(7), Variant("2025-01-31"));
    EXPECT_EQ(cursor->Value(8), Variant("2025-01-31 10:20:30"));
    EXPECT_EQ(cursor->Value(9), Variant("08:05:00.5"));
    EXPECT_EQ(cursor->Value(10), Variant("texto longo"));
    EXPECT_TRUE(cursor->Value(11).IsNull());
    EXPECT_FALSE(cursor->Next());
}

TEST_P(FbValues, ParametersTravelWithTheirTypes) {
    engine->ExecuteScript(
        "CREATE TABLE P (DT DATE, TS TIMESTAMP, N NUMERIC(15,2), TX BLOB SUB_TYPE TEXT)");
    TParams params({"DT", "TS", "N", "TX"});
    params[0].SetAsDateTime(hostfw::TDateTime{hostfw::EncodeDate(2025, 3, 10).value + 0.75});
    params[1].SetAsDateTime(hostfw::TDateTime{hostfw::EncodeDate(2025, 3, 10).value + 0.75});
    params[2].SetAsVariant(Variant(2.5));
    // Longer than any VARCHAR: it goes as a BLOB.
    const std::string longText(40000, 'x');
    params[3].SetAsString(longText);
    EXPECT_EQ(engine->Execute("INSERT INTO P VALUES (:DT, :TS, :N, :TX)", params), 1);
    auto cursor =
        engine->Query("SELECT DT, TS, N * CAST(:K AS INTEGER), CHAR_LENGTH(TX), TX FROM P",
                      WithValue("K", Variant(4)));
    ASSERT_TRUE(cursor->Next());
    EXPECT_EQ(cursor->Value(0), Variant("2025-03-10"));
    EXPECT_EQ(cursor->Value(1), Variant("2025-03-10 18:00:00"));
    EXPECT_EQ(cursor->Value(2), Variant(10.0));
    EXPECT_EQ(cursor->Value(3), Variant(40000));
    EXPECT_EQ(cursor->Value(4), Variant(longText));
}

TEST_P(FbValues, ValuesTheDatabaseCannotTakeAreClearFailures) {
    engine->ExecuteScript("CREATE TABLE F (C VARCHAR(4))");
    EXPECT_THAT(FailureOf([&] {
                    engine->Execute("INSERT INTO F VALUES (:C)",
                                    WithValue("C", std::string(40000, 'x')));
                }),
                HasSubstr("o parâmetro C tem 40000 bytes"));
    EXPECT_THAT(FailureOf([&] {
                    engine->Execute("INSERT INTO F VALUES (:C)", WithValue("C", "longo demais"));
                }),
                StartsWith("Erro no banco de dados: "));
    EXPECT_THAT(FailureOf([&] {
                    engine->Query("SELECT CAST(:D AS DATE) FROM RDB$DATABASE",
                                  WithValue("D", Variant(hostfw::TDateTime{-700000})));
                }),
                HasSubstr("fora dos anos 1 a 9999"));
    EXPECT_THAT(
        FailureOf([&] { engine->Query("SELECT 1 FROM RDB$DATABASE WHERE ? = 1", TParams()); }),
        HasSubstr("use parâmetros nomeados"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM F"), Variant(0));
}

TEST_P(FbValues, ATextHoldingNulIsRefusedAsOnEveryEngine) {
    const std::string withNul("0001\0resto", 10);
    EXPECT_EQ(FailureOf([&] {
                  Scalar("SELECT CAST(:P_A AS VARCHAR(20)) FROM RDB$DATABASE",
                         WithValue("P_A", withNul));
              }),
              "Erro no banco de dados: o parâmetro P_A contém o caractere NUL, que o banco de "
              "dados não aceita.");
}

TEST_P(FbValues, TextIsNeverReadAsSql) {
    engine->ExecuteScript("CREATE TABLE T (V VARCHAR(100))");
    const std::string hostile = "x'); DROP TABLE T; --";
    EXPECT_EQ(engine->Execute("INSERT INTO T VALUES (:P_V)", WithValue("P_V", hostile)), 1);
    EXPECT_EQ(Scalar("SELECT V FROM T"), Variant(hostile));
}

TEST_P(FbValues, ChangedRowsAreCountedAndReturningGivesItsRow) {
    MakeNumbers(10);
    EXPECT_EQ(engine->Execute("UPDATE T SET V = V + 100 WHERE V > :N", WithValue("N", 6)), 4);
    EXPECT_EQ(engine->Execute("DELETE FROM T WHERE V > 100", TParams()), 4);
    EXPECT_EQ(Scalar("INSERT INTO T VALUES (42) RETURNING V * 2"), Variant(84));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM T"), Variant(7));
}

INSTANTIATE_TEST_SUITE_P(FbEmbedded, FbValues, ::testing::Values(FirebirdPlace::Embedded),
                         testsupport::FirebirdPlaceName);
INSTANTIATE_TEST_SUITE_P(FbServer, FbValues, ::testing::Values(FirebirdPlace::Server),
                         testsupport::FirebirdPlaceName);

}  // namespace
