// GetNota against the real server, on SQLite, on an embedded Firebird file and (with
// EXP036_PG_URL, EXP036_FB_URL) on PostgreSQL and a Firebird server, called the way the report
// form calls it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "invoice_database.h"
#include "support/failure_of.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using hostfw::EncodeDate;
using hostfw::TDateTime;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testsupport::FailureOf;

enum class Engine { SQLite, PostgreSQL, FirebirdEmbedded, FirebirdServer };

const char* EngineText(Engine engine) {
    switch (engine) {
        case Engine::SQLite:
            return "SQLite";
        case Engine::PostgreSQL:
            return "PostgreSQL";
        case Engine::FirebirdEmbedded:
            return "FirebirdEmbutido";
        case Engine::FirebirdServer:
            return "FirebirdServidor";
    }
    return "";
}

// The database a throw-away server names in the environment, or nothing outside it.
const char* ServerDatabase(Engine engine) {
    const char* url = std::getenv(engine == Engine::PostgreSQL ? "EXP036_PG_URL" : "EXP036_FB_URL");
    return url != nullptr && *url != '\0' ? url : nullptr;
}
// How GoogleTest shows the parameter in the test list.
void PrintTo(Engine engine, std::ostream* out) {
    *out << EngineText(engine);
}

// One server per engine for the whole suite: the tests only read.
class GetNotaTest : public ::testing::TestWithParam<Engine> {
protected:
    static void TearDownTestSuite() {
        server_.reset();
        file_.reset();
    }

    void SetUp() override {
        if (GetParam() == Engine::PostgreSQL || GetParam() == Engine::FirebirdServer) {
            const char* url = ServerDatabase(GetParam());
            if (url == nullptr)
                GTEST_SKIP() << "no database server (run through tests/pg/with_postgres.sh or "
                                "tests/firebird/with_firebird.sh)";
            if (!server_)
                FillInvoiceDatabase(url);
            StartOnce(url);
        } else {
            if (!file_) {
                file_ = std::make_unique<LocalInvoiceDatabase>(
                    GetParam() == Engine::SQLite ? "notas.sqlite" : "notas.fdb");
            }
            StartOnce(file_->Path());
        }
        client_ = std::make_unique<InvoiceClient>(server_->Host(), server_->Port());
    }

    std::vector<std::string> Entries(GetNotaArgs& args) { return client_->Entries(args); }

    static TDateTime At(int year, int month, int day, int hour) {
        return {EncodeDate(year, month, day).value + hour / 24.0};
    }

    std::unique_ptr<InvoiceClient> client_;

private:
    static void StartOnce(const std::string& database) {
        if (!server_)
            server_ = std::make_unique<ServerProcess>(std::vector<std::string>{"--db", database});
    }

    static std::unique_ptr<LocalInvoiceDatabase> file_;
    static std::unique_ptr<ServerProcess> server_;
};

std::unique_ptr<LocalInvoiceDatabase> GetNotaTest::file_;
std::unique_ptr<ServerProcess> GetNotaTest::server_;

TEST_P(GetNotaTest, ListsTheBranchsInvoicesByNumberThenEntryWithTheSixFields) {
    GetNotaArgs args;
    EXPECT_THAT(Entries(args), ElementsAre("9", "1", "10", "2", "3", "7"));
    const auto rows = client_->Rows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_THAT(rows[1], ElementsAre("N", "1001", "01/01/2025", "03/01/2025", "1", "E"));
    EXPECT_THAT(rows[2], ElementsAre("N", "1002", "20/01/2025", "", "10", "C"));
}

TEST_P(GetNotaTest, LeavesTheByReferenceArgumentsAsTheyCame) {
    GetNotaArgs args;
    args.clientList = ",1,";
    args.clientFlag = "";
    args.destinationList = ",0002,";
    args.destinationFlag = "";
    args.statuses = "PE";
    client_->Load(args);
    EXPECT_EQ(args.clientList, ",1,");
    EXPECT_EQ(args.clientFlag, "");
    EXPECT_EQ(args.destinationList, ",0002,");
    EXPECT_EQ(args.destinationFlag, "");
    EXPECT_EQ(args.statuses, "PE");
    EXPECT_EQ(args.reportKind, "A");
}

TEST_P(GetNotaTest, BranchCodeMatchesWholeAndAsSent) {
    GetNotaArgs args;
    args.branch = "0002";
    EXPECT_THAT(Entries(args), ElementsAre("4", "8"));
    args.branch = "1";
    EXPECT_THAT(Entries(args), IsEmpty());
    args.branch = "0001' OR '1'='1";
    EXPECT_THAT(Entries(args), IsEmpty());
}

// Both engines refuse alike: PostgreSQL would have cut the text at the NUL and matched "0001".
TEST_P(GetNotaTest, ATextHoldingNulIsRefusedNamingTheArgument) {
    GetNotaArgs args;
    args.branch = std::string("0001\0X", 6);
    EXPECT_THAT(FailureOf([&] { client_->Load(args); }),
                HasSubstr("argumento 1 (filial) contém o caractere NUL"));
    args.branch = "0001";
    args.clientFlag = "";
    args.clientList = std::string(",1,\0,2,", 7);
    EXPECT_THAT(FailureOf([&] { client_->Load(args); }),
                HasSubstr("argumento 4 (lista de clientes) contém o caractere NUL"));
}

TEST_P(GetNotaTest, IssueDatesCountByWholeDaysWhateverTheTimesSent) {
    GetNotaArgs args;
    args.first = At(2025, 1, 31, 18);
    args.last = At(2025, 1, 31, 6);
    EXPECT_THAT(Entries(args), ElementsAre("2", "7"));
    args.first = EncodeDate(2025, 2, 1);
    args.last = EncodeDate(2025, 1, 31);
    EXPECT_THAT(Entries(args), IsEmpty());
}

TEST_P(GetNotaTest, TheWidestRangeLeavesNoDateOut) {
    GetNotaArgs args;
    args.first = EncodeDate(1, 1, 1);
    args.last = EncodeDate(9999, 12, 31);
    EXPECT_THAT(Entries(args), ElementsAre("9", "1", "10", "2", "3", "7"));
}

TEST_P(GetNotaTest, KindCSelectsByShippingCancellationDate) {
    GetNotaArgs args;
    args.branch = "0002";
    args.reportKind = "C";
    args.first = EncodeDate(2025, 1, 23);
    args.last = EncodeDate(2025, 1, 23);
    EXPECT_THAT(Entries(args), ElementsAre("4"));
    // Its issue date is not what kind C looks at.
    args.first = args.last = EncodeDate(2025, 1, 15);
    EXPECT_THAT(Entries(args), IsEmpty());
    // A cancellation stored with a time of day still falls on its day.
    args.first = At(2025, 2, 10, 20);
    args.last = At(2025, 2, 10, 1);
    EXPECT_THAT(Entries(args), ElementsAre("8"));
    args.reportKind = "A";
    EXPECT_THAT(Entries(args), IsEmpty());
}

TEST_P(GetNotaTest, ClientListMatchesWholeKeysOnly) {
    GetNotaArgs args;
    args.clientFlag = "";
    args.clientList = ",1,";
    EXPECT_THAT(Entries(args), ElementsAre("1", "7"));
    args.clientList = ",11,";
    EXPECT_THAT(Entries(args), ElementsAre("2"));
    args.clientList = ",2,3,";
    EXPECT_THAT(Entries(args), ElementsAre("9", "10", "3"));
    args.clientList = "";
    EXPECT_THAT(Entries(args), IsEmpty());
}

TEST_P(GetNotaTest, FlagTLiftsTheClientRestrictionWhateverTheList) {
    GetNotaArgs args;
    args.clientFlag = "T";
    args.clientList = ",11,";
    EXPECT_THAT(Entries(args), ElementsAre("9", "1", "10", "2", "3", "7"));
}

TEST_P(GetNotaTest, DestinationListMatchesWholeKeysOnly) {
    GetNotaArgs args;
    args.destinationFlag = "";
    args.destinationList = ",0003,";
    EXPECT_THAT(Entries(args), ElementsAre("10", "2"));
    args.destinationList = ",0002,0001,";
    EXPECT_THAT(Entries(args), ElementsAre("9", "1", "3", "7"));
    args.destinationList = ",000,";
    EXPECT_THAT(Entries(args), IsEmpty());
}

TEST_P(GetNotaTest, StatusesKeepOnlyTheListedLettersAndEmptyKeepsAll) {
    GetNotaArgs args;
    args.statuses = "PE";
    EXPECT_THAT(Entries(args), ElementsAre("1", "3", "7"));
    args.statuses = "AC";
    EXPECT_THAT(Entries(args), ElementsAre("9", "10", "2"));
    args.statuses = "";
    EXPECT_THAT(Entries(args), ElementsAre("9", "1", "10", "2", "3", "7"));
}

TEST_P(GetNotaTest, RestrictionsCombine) {
    GetNotaArgs args;
    args.clientFlag = "";
    args.clientList = ",1,2,";
    args.destinationFlag = "";
    args.destinationList = ",0002,";
    args.statuses = "P";
    EXPECT_THAT(Entries(args), ElementsAre("7"));
}

// Named after the engine rather than numbered: "Pg/GetNotaTest.RestrictionsCombine/PostgreSQL".
std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    return EngineText(info.param);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, GetNotaTest, ::testing::Values(Engine::SQLite), EngineName);
INSTANTIATE_TEST_SUITE_P(Pg, GetNotaTest, ::testing::Values(Engine::PostgreSQL), EngineName);
INSTANTIATE_TEST_SUITE_P(FbEmbedded, GetNotaTest, ::testing::Values(Engine::FirebirdEmbedded),
                         EngineName);
INSTANTIATE_TEST_SUITE_P(FbServer, GetNotaTest, ::testing::Values(Engine::FirebirdServer),
                         EngineName);

}  // namespace
}  // namespace servertest
