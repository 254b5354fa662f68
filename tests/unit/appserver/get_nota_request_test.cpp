// Reading the nine GetNota arguments and turning them into a statement with bound values.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_failure.h"
#include "get_nota_request.h"
#include "host/core/date_time.h"
#include "key_list.h"
#include "nota_fiscal_query.h"

namespace {

using appserver::CallFailure;
using appserver::GetNotaRequest;
using hostfw::TDateTime;
using hostfw::Variant;
using ::testing::HasSubstr;

std::vector<Variant> GetNotaArgs() {
    return {Variant("0001"),
            Variant(hostfw::EncodeDate(2025, 1, 1)),
            Variant(hostfw::EncodeDate(2025, 1, 31)),
            Variant(""),
            Variant("T"),
            Variant(""),
            Variant("T"),
            Variant(""),
            Variant("A")};
}

std::string RefusalOf(const std::vector<Variant>& args) {
    try {
        appserver::ParseGetNotaArguments(args);
    } catch (const CallFailure& failure) {
        EXPECT_EQ(failure.Status(), 400);
        return failure.what();
    }
    return "(aceito)";
}

TEST(KeyList, CanonicalFormHasEveryKeyBetweenCommas) {
    EXPECT_EQ(appserver::CanonicalKeyList(",1,11,"), ",1,11,");
    EXPECT_EQ(appserver::CanonicalKeyList("1,11"), ",1,11,");
    EXPECT_EQ(appserver::CanonicalKeyList(" 0001 ,, 0007\t,"), ",0001,0007,");
    EXPECT_EQ(appserver::CanonicalKeyList(""), "");
    EXPECT_EQ(appserver::CanonicalKeyList(" , ,"), "");
    EXPECT_EQ(appserver::CanonicalKeyList("O'Brien,%"), ",O'Brien,%,");
}

TEST(GetNotaArguments, ReadsEveryArgument) {
    std::vector<Variant> args = GetNotaArgs();
    args[1] = Variant(TDateTime{hostfw::EncodeDate(2025, 1, 1).value + 0.75});
    args[3] = Variant(" 1, 11");
    args[4] = Variant("");
    args[7] = Variant("PA");
    args[8] = Variant("C");
    const GetNotaRequest request = appserver::ParseGetNotaArguments(args);
    EXPECT_EQ(request.branch, "0001");
    EXPECT_EQ(request.firstDay, hostfw::EncodeDate(2025, 1, 1));
    EXPECT_EQ(request.lastDay, hostfw::EncodeDate(2025, 1, 31));
    EXPECT_EQ(request.clients, ",1,11,");
    EXPECT_EQ(request.destinations, std::nullopt);
    EXPECT_EQ(request.statuses, "PA");
    EXPECT_TRUE(request.byCancellation);
}

TEST(GetNotaArguments, OnlyCSelectsByCancellation) {
    for (const char* kind : {"A", "", "c", "C "}) {
        std::vector<Variant> args = GetNotaArgs();
        args[8] = Variant(kind);
        EXPECT_FALSE(appserver::ParseGetNotaArguments(args).byCancellation) << kind;
    }
}

TEST(GetNotaArguments, RefusesWrongCountTypesAndValuesNamingTheArgument) {
    std::vector<Variant> args = GetNotaArgs();
    args.pop_back();
    EXPECT_THAT(RefusalOf(args), HasSubstr("espera 9 argumentos; recebeu 8"));

    args = GetNotaArgs();
    args[0] = Variant(1);
    EXPECT_THAT(RefusalOf(args), HasSubstr("argumento 1 (filial) deve ser do tipo string"));
    args = GetNotaArgs();
    args[2] = Variant(45000.0);
    EXPECT_THAT(RefusalOf(args), HasSubstr("argumento 3 (data final) deve ser do tipo date"));
    args = GetNotaArgs();
    args[8] = Variant::Null();
    EXPECT_THAT(RefusalOf(args), HasSubstr("argumento 9 (tipo de relatório)"));
    args = GetNotaArgs();
    args[7] = Variant("PX");
    EXPECT_THAT(RefusalOf(args),
                HasSubstr("argumento 8 (situações) traz a situação desconhecida 'X'"));
}

TEST(GetNotaArguments, RefusesDatesOutsideTheCalendarWithoutOverflowing) {
    for (const double days : {1e300, -1e300, 1e19, -693594.0 - 1, 2958466.0}) {
        std::vector<Variant> args = GetNotaArgs();
        args[1] = Variant(TDateTime{days});
        EXPECT_THAT(RefusalOf(args), HasSubstr("argumento 2 (data inicial) fora do intervalo"))
            << days;
    }
    std::vector<Variant> args = GetNotaArgs();
    args[1] = Variant(hostfw::EncodeDate(1, 1, 1));
    args[2] = Variant(TDateTime{hostfw::EncodeDate(9999, 12, 31).value + 0.5});
    EXPECT_EQ(RefusalOf(args), "(aceito)");
}

TEST(NotaFiscalQuery, NoValueOfTheRequestIsSplicedIntoTheStatement) {
    const std::string hostile = "x' OR 1=1; DROP TABLE NOTAFISCAL; --";
    GetNotaRequest request;
    request.branch = hostile;
    request.firstDay = hostfw::EncodeDate(2025, 1, 1);
    request.lastDay = hostfw::EncodeDate(2025, 1, 31);
    request.clients = "," + hostile + ",";
    request.destinations = "," + hostile + ",";
    request.statuses = "PEACK";
    request.byCancellation = true;
    for (const auto engine : {hostfw::EngineKind::SQLite, hostfw::EngineKind::PostgreSQL,
                              hostfw::EngineKind::Firebird}) {
        const appserver::BoundQuery query = appserver::NotaFiscalQuery(request, engine);
        EXPECT_THAT(query.sql, ::testing::Not(HasSubstr("DROP")));
        EXPECT_THAT(query.sql, ::testing::Not(HasSubstr("2025")));
        EXPECT_THAT(query.sql, ::testing::Not(HasSubstr("PEACK")));
        EXPECT_EQ(query.params.ParamByName("P_CDFILIAL").AsString(), hostile);
        EXPECT_EQ(query.params.ParamByName("P_CDCLIENTE").AsString(), "," + hostile + ",");
        EXPECT_EQ(query.params.ParamByName("P_FILIDEST").AsString(), "," + hostile + ",");
        EXPECT_EQ(query.params.ParamByName("P_STATUS").AsString(), "PEACK");
        // Whole days: the last day counts up to the start of the next one.
        EXPECT_EQ(query.params.ParamByName("P_DATAINI").AsString(), "2025-01-01");
        EXPECT_EQ(query.params.ParamByName("P_DATAPOSFIM").AsString(), "2025-02-01");
    }
}

TEST(NotaFiscalQuery, TheLastCalendarDayNeedsNoUpperBound) {
    GetNotaRequest request;
    request.firstDay = hostfw::EncodeDate(2025, 1, 1);
    request.lastDay = hostfw::EncodeDate(9999, 12, 31);
    const appserver::BoundQuery query =
        appserver::NotaFiscalQuery(request, hostfw::EngineKind::SQLite);
    EXPECT_EQ(query.params.FindParam("P_DATAPOSFIM"), nullptr);
    EXPECT_THAT(query.sql, ::testing::Not(HasSubstr("P_DATAPOSFIM")));
}

}  // namespace
