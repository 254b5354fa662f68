#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "db/demo_data.h"
#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "table_rows.h"

namespace {

using dbtest::Row;
using dbtest::RowsOf;

constexpr const char* kAllInvoices =
    "SELECT N.CDFILIAL, N.NRLANCTONF, NRNOTAFISC, CDCLIENTE, CDFILIDEST, DTEMISSAO, DTENTRSAID, "
    "IDSTATUSNF, VRTOTALNF, DTEXPEDICAO, DTCANCEXPED FROM NOTAFISCAL N LEFT JOIN EXPEDICAO E "
    "ON E.CDFILIAL = N.CDFILIAL AND E.NRLANCTONF = N.NRLANCTONF ORDER BY N.NRLANCTONF + 0";
constexpr const char* kAllClients = "SELECT * FROM CLIENTE ORDER BY CDCLIENTE + 0";

// A demo database in memory.
std::shared_ptr<hostfw::Engine> Demo(long long invoices, std::uint64_t seed, int clients = 300) {
    auto engine = hostfw::OpenDatabase(":memory:", true);
    demodb::CreateSchema(*engine);
    demodb::DemoOptions options;
    options.invoices = invoices;
    options.seed = seed;
    options.clients = clients;
    demodb::FillDemoData(*engine, options);
    return engine;
}

// True when the last two digits are the check digits of the others: each is the weighted sum
// (weights rising from 2 at the right) modulo 11, 0 for a remainder below 2, else 11 minus it.
bool HasValidCheckDigits(const std::string& number, int maxWeight) {
    const auto digitFor = [&](size_t length) {
        int sum = 0;
        int weight = 2;
        for (size_t i = length; i-- > 0;) {
            sum += (number[i] - '0') * weight;
            weight = weight == maxWeight ? 2 : weight + 1;
        }
        const int remainder = sum % 11;
        return remainder < 2 ? 0 : 11 - remainder;
    };
    const size_t n = number.size();
    return digitFor(n - 2) == number[n - 2] - '0' && digitFor(n - 1) == number[n - 1] - '0';
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = Demo(20000, 1); }
    static void TearDownTestSuite() { engine_.reset(); }

    static hostfw::Engine& Engine() { return *engine_; }

private:
    static inline std::shared_ptr<hostfw::Engine> engine_;
};

TEST(DemoDataSeed, SameSeedGivesTheSameRows) {
    auto first = Demo(3000, 42);
    auto second = Demo(3000, 42);
    EXPECT_EQ(RowsOf(*first, kAllInvoices), RowsOf(*second, kAllInvoices));
    EXPECT_EQ(RowsOf(*first, kAllClients), RowsOf(*second, kAllClients));
}

TEST(DemoDataSeed, AnotherSeedGivesOtherInvoices) {
    EXPECT_NE(RowsOf(*Demo(500, 1), kAllInvoices), RowsOf(*Demo(500, 2), kAllInvoices));
}

TEST(DemoDataSeed, ClientsDoNotDependOnTheInvoiceCount) {
    EXPECT_EQ(RowsOf(*Demo(10, 5), kAllClients), RowsOf(*Demo(2000, 5), kAllClients));
}

TEST(DemoDataSeed, MoreClientsKeepTheFirstOnesAndInvoicesReachTheNewOnes) {
    const auto few = RowsOf(*Demo(10, 5), kAllClients);
    const auto many = Demo(2000, 5, 5000);
    const auto clients = RowsOf(*many, kAllClients);
    ASSERT_EQ(clients.size(), 5000u);
    EXPECT_TRUE(std::equal(few.begin(), few.end(), clients.begin()));
    EXPECT_FALSE(RowsOf(*many, "SELECT 1 FROM NOTAFISCAL WHERE CDCLIENTE + 0 > 300").empty());
    EXPECT_TRUE(RowsOf(*many, "SELECT 1 FROM NOTAFISCAL WHERE CDCLIENTE + 0 > 5000").empty());
}

TEST(DemoDataSeed, TheFirstFiveInvoicesCoverEveryStatus) {
    std::set<std::string> statuses;
    for (const Row& row : RowsOf(*Demo(5, 9), "SELECT IDSTATUSNF FROM NOTAFISCAL"))
        statuses.insert(row[0]);
    EXPECT_EQ(statuses, (std::set<std::string>{"A", "C", "E", "K", "P"}));
}

TEST_F(DemoData, BranchCodesAreFourDigitsWide) {
    const auto branches = RowsOf(Engine(), "SELECT CDFILIAL, NMFILIAL FROM FILIAL");
    EXPECT_EQ(branches.size(), 12u);
    for (const Row& row : branches) {
        EXPECT_EQ(row[0].size(), 4u) << row[0];
        EXPECT_TRUE(AllDigits(row[0])) << row[0];
        EXPECT_LE(hostfw::Utf8Length(row[1]), 30u) << row[1];
    }
    for (const Row& row : RowsOf(Engine(),
                                 "SELECT DISTINCT CDFILIAL FROM NOTAFISCAL UNION "
                                 "SELECT DISTINCT CDFILIDEST FROM NOTAFISCAL")) {
        EXPECT_EQ(row[0].size(), 4u) << row[0];
    }
}

TEST_F(DemoData, ClientsOfBothKindsWithValidTaxNumbers) {
    std::set<std::string> kinds;
    const auto clients =
        RowsOf(Engine(), "SELECT CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMFANTCLIE FROM CLIENTE");
    EXPECT_GE(clients.size(), 200u);
    for (const Row& row : clients) {
        kinds.insert(row[1]);
        const std::string& number = row[2];
        ASSERT_TRUE(AllDigits(number)) << number;
        if (row[1] == "F") {
            EXPECT_EQ(number.size(), 11u) << number;
            EXPECT_TRUE(HasValidCheckDigits(number, 11)) << "CPF " << number;
            EXPECT_NE(number.find_first_not_of(number[0]), std::string::npos) << number;
        } else {
            EXPECT_EQ(number.size(), 14u) << number;
            EXPECT_TRUE(HasValidCheckDigits(number, 9)) << "CNPJ " << number;
        }
        EXPECT_LE(hostfw::Utf8Length(row[3]), 50u) << row[3];
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"F", "J"}));
}

TEST_F(DemoData, EveryStatusIsPresent) {
    const auto counts =
        RowsOf(Engine(), "SELECT IDSTATUSNF, count(*) FROM NOTAFISCAL GROUP BY IDSTATUSNF");
    ASSERT_EQ(counts.size(), 5u);
    for (const Row& row : counts)
        EXPECT_GT(std::stoi(row[1]), 100) << row[0];
}

TEST_F(DemoData, OnlyCancelledShippingsHaveACancellationDate) {
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*) FROM NOTAFISCAL N JOIN EXPEDICAO E USING "
                     "(CDFILIAL, NRLANCTONF) WHERE (IDSTATUSNF = 'K') <> "
                     "(DTCANCEXPED IS NOT NULL)"),
              (std::vector<Row>{{"0"}}));
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*) FROM NOTAFISCAL WHERE IDSTATUSNF = 'K' AND "
                     "DTENTRSAID IS NULL"),
              (std::vector<Row>{{"0"}}));
}

TEST_F(DemoData, ShippingMatchesTheExitDate) {
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*) FROM NOTAFISCAL N LEFT JOIN EXPEDICAO E USING "
                     "(CDFILIAL, NRLANCTONF) WHERE DTEXPEDICAO IS NOT DTENTRSAID"),
              (std::vector<Row>{{"0"}}));
    EXPECT_EQ(RowsOf(Engine(), "SELECT count(*) FROM EXPEDICAO WHERE DTCANCEXPED < DTEXPEDICAO"),
              (std::vector<Row>{{"0"}}));
}

TEST_F(DemoData, DatesAreRealDaysInTheTwoYears) {
    EXPECT_EQ(RowsOf(Engine(), "SELECT min(DTEMISSAO), max(DTEMISSAO) FROM NOTAFISCAL"),
              (std::vector<Row>{{"2025-01-01", "2026-12-31"}}));
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*) FROM NOTAFISCAL WHERE date(DTEMISSAO) IS NOT "
                     "DTEMISSAO OR DTENTRSAID < DTEMISSAO OR date(DTENTRSAID) IS NOT "
                     "DTENTRSAID"),
              (std::vector<Row>{{"0"}}));
}

TEST_F(DemoData, InvoiceNumbersAreUniquePerBranch) {
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*) FROM (SELECT CDFILIAL, NRNOTAFISC FROM NOTAFISCAL "
                     "GROUP BY 1, 2 HAVING count(*) > 1)"),
              (std::vector<Row>{{"0"}}));
}

TEST_F(DemoData, EveryInvoiceIsAStoredRow) {
    EXPECT_EQ(RowsOf(Engine(),
                     "SELECT count(*), min(NRLANCTONF + 0), max(NRLANCTONF + 0) FROM "
                     "NOTAFISCAL"),
              (std::vector<Row>{{"20000", "1", "20000"}}));
}

TEST(TestData, HoldsTheDocumentedRows) {
    auto engine = hostfw::OpenDatabase(":memory:", true);
    demodb::BuildTestDatabase(*engine);
    EXPECT_EQ(RowsOf(*engine, "SELECT CDFILIAL FROM FILIAL ORDER BY 1"),
              (std::vector<Row>{{"0001"}, {"0002"}, {"0003"}}));
    EXPECT_EQ(RowsOf(*engine, "SELECT NMFANTCLIE, CDSEGMER FROM CLIENTE WHERE CDCLIENTE = '2'"),
              (std::vector<Row>{{"O \"Rei\" do Pão", "<null>"}}));
    EXPECT_EQ(RowsOf(*engine,
                     "SELECT NRLANCTONF, DTCANCEXPED FROM EXPEDICAO WHERE DTCANCEXPED "
                     "IS NOT NULL"),
              (std::vector<Row>{{"4", "2025-01-23"}}));
    EXPECT_EQ(RowsOf(*engine, "SELECT count(*) FROM NOTAFISCAL"), (std::vector<Row>{{"7"}}));
    EXPECT_EQ(RowsOf(*engine, "SELECT count(*) FROM EXPEDICAO"), (std::vector<Row>{{"6"}}));
}

TEST(TestData, ASecondBuildFailsAndChangesNothing) {
    auto engine = hostfw::OpenDatabase(":memory:", true);
    demodb::BuildTestDatabase(*engine);
    EXPECT_THROW(demodb::BuildTestDatabase(*engine), hostfw::Exception);
    EXPECT_EQ(RowsOf(*engine, "SELECT count(*) FROM NOTAFISCAL"), (std::vector<Row>{{"7"}}));
}

}  // namespace
