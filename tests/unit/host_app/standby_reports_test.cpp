// The host's reports read on a streaming standby (--report-db) as the person signed in, so her
// row policy holds there; a standby that fails, before or during the reading, is never shown:
// the report reads on the primary. Run by tests/pg/with_standby.sh inside with_postgres.sh;
// skipped without a standby.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/closed_port.h"
#include "support/shared_use_database.h"
#include "support/standby_checks.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using hostapptest::Finished;
using hostapptest::RunProgram;
using testsupport::SharedUseDatabase;

// The definition's line that keeps the report to the branch asked for.
constexpr const char* kBranchLine = " WHERE N.CDFILIAL = CAST(:P_CDFILIAL AS VARCHAR)";

class ReplicaReports : public testsupport::SharedUseStandbyTest {
protected:
    void SetUp() override {
        SharedUseStandbyTest::SetUp();
        if (IsSkipped())
            return;
        folder = fs::temp_directory_path() / ("exp036_standby_report_" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        maria = database->AddPerson("maria", "0001", true);
        joao = database->AddPerson("joao", "0003", false);
        ASSERT_TRUE(replica->CaughtUp(joao)) << "the standby never caught up";
    }
    void TearDown() override {
        if (!folder.empty())
            fs::remove_all(folder);
    }

    // The shipped definitions with the PostgreSQL statement's branch line replaced by `line`.
    fs::path EditedReports(const std::string& name, const std::string& line) const {
        const fs::path reports = folder / name;
        fs::create_directories(reports);
        for (const auto& entry : fs::directory_iterator(EXP036_SOURCE_DIR "/reports")) {
            std::string text = hostapptest::FileText(entry.path());
            const std::string quoted = std::string("\"") + kBranchLine + "\"";
            if (const auto at = text.find(quoted); at != std::string::npos)
                text.replace(at, quoted.size(), "\"" + line + "\"");
            std::ofstream(reports / entry.path().filename()) << text;
        }
        return reports;
    }

    // exp036-host report as the person (password from PGPASSWORD), the rows as CSV.
    Finished ReportAs(const std::string& login, const std::string& branch,
                      const std::string& reportDb, const fs::path& reports) const {
        std::vector<std::string> arguments = {EXP036_BIN_DIR "/exp036-host",
                                              "report",
                                              "--db",
                                              database->TcpConnection() + " user=" + login,
                                              "--reports",
                                              reports.string(),
                                              "--branch",
                                              branch,
                                              "--from",
                                              "01/01/2025",
                                              "--to",
                                              "31/12/2025",
                                              "--format",
                                              "csv"};
        if (!reportDb.empty())
            arguments.insert(arguments.end(), {"--report-db", reportDb});
        setenv("PGPASSWORD", SharedUseDatabase::Password(login).c_str(), 1);
        Finished run = RunProgram(folder, arguments);
        unsetenv("PGPASSWORD");
        return run;
    }

    long long PrimaryInvoiceScans() const { return replica->PrimaryInvoiceScans({maria, joao}); }

    fs::path folder;
    std::string maria;
    std::string joao;
};

long long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

TEST_F(ReplicaReports, ReportsReadOnTheStandbyAsThePersonAndHerRowPolicyHoldsThere) {
    const fs::path shipped = EXP036_SOURCE_DIR "/reports";
    const Finished onPrimary = ReportAs(maria, "0001", "", shipped);
    ASSERT_EQ(onPrimary.status, 0) << onPrimary.err;
    ASSERT_GT(Lines(onPrimary.out), 1);
    const long long before = PrimaryInvoiceScans();

    const std::string standby = replica->Connection();
    const Finished hers = ReportAs(maria, "0001", standby, shipped);
    ASSERT_EQ(hers.status, 0) << hers.err;
    EXPECT_EQ(hers.out, onPrimary.out);
    // A definition that asks for every branch: on the standby too, the database gives her the
    // rows of her branch only, and a person not bound every branch's.
    const fs::path everyBranch =
        EditedReports("todas", " WHERE CAST(:P_CDFILIAL AS VARCHAR) IS NOT NULL");
    const Finished allOfHers = ReportAs(maria, "0001", standby, everyBranch);
    ASSERT_EQ(allOfHers.status, 0) << allOfHers.err;
    EXPECT_EQ(allOfHers.out, onPrimary.out) << "her branch's rows only";
    const Finished all = ReportAs(joao, "0003", standby, everyBranch);
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_GT(Lines(all.out), Lines(onPrimary.out)) << "the other branches' rows are there";

    EXPECT_EQ(PrimaryInvoiceScans(), before) << "no report read on the primary";
    EXPECT_GE(database->AuditCount(maria, "relatorio"), 3) << "the runs written on the primary";
}

TEST_F(ReplicaReports, AStandbyThatFailsIsNeverShownTheReportReadsOnThePrimary) {
    const fs::path shipped = EXP036_SOURCE_DIR "/reports";
    const Finished onPrimary = ReportAs(maria, "0001", "", shipped);
    ASSERT_EQ(onPrimary.status, 0) << onPrimary.err;

    long long scans = PrimaryInvoiceScans();
    const Finished unreachable =
        ReportAs(maria, "0001", replica->OnPort(nettest::ClosedLoopbackPort()), shipped);
    ASSERT_EQ(unreachable.status, 0) << unreachable.err;
    EXPECT_EQ(unreachable.out, onPrimary.out);
    EXPECT_GT(PrimaryInvoiceScans(), scans) << "read on the primary";

    // A statement that fails on the standby only, once the reading is under way there, as a
    // query cancelled by a conflict with recovery does.
    const fs::path failsInRecovery =
        EditedReports("recuperacao", std::string(kBranchLine) +
                                         " AND 1 = 1 / (1 - CAST(pg_is_in_recovery() AS integer))");
    scans = PrimaryInvoiceScans();
    const Finished retried = ReportAs(maria, "0001", replica->Connection(), failsInRecovery);
    ASSERT_EQ(retried.status, 0) << retried.err;
    EXPECT_EQ(retried.out, onPrimary.out);
    EXPECT_EQ(retried.err.find("Erro"), std::string::npos) << retried.err;
    EXPECT_GT(PrimaryInvoiceScans(), scans) << "read again on the primary";
}

}  // namespace
