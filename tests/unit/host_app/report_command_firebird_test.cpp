// The report subcommand on an embedded Firebird file: the same report as on SQLite, and every
// run audited in the file.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using hostapptest::Finished;
using hostapptest::RunProgram;

class FbReportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("exp036_fbreport_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (const char* database : {"test.sqlite", "test.fdb"}) {
            const Finished made =
                RunProgram(folder_, {EXP036_BIN_DIR "/exp036-demodb", database, "--test-data"});
            ASSERT_EQ(made.status, 0) << made.err;
        }
    }
    void TearDown() override { fs::remove_all(folder_); }

    Finished Report(const std::string& database, const std::vector<std::string>& more) const {
        std::vector<std::string> arguments = {EXP036_BIN_DIR "/exp036-host",
                                              "report",
                                              "--db",
                                              database,
                                              "--reports",
                                              EXP036_SOURCE_DIR "/reports",
                                              "--branch",
                                              "0001",
                                              "--from",
                                              "01/01/2025",
                                              "--to",
                                              "31/12/2025"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunProgram(folder_, arguments);
    }

    fs::path folder_;
};

TEST_F(FbReportCommand, TheReportIsTheOneSqliteGives) {
    for (const std::vector<std::string>& choices :
         {std::vector<std::string>{"--format", "csv"},
          std::vector<std::string>{"--format", "csv", "--clients", "1,11", "--status", "PE"},
          std::vector<std::string>{"--format", "csv", "--variant", "1", "--destinations",
                                   "0001"}}) {
        const Finished sqlite = Report("test.sqlite", choices);
        const Finished firebird = Report("test.fdb", choices);
        ASSERT_EQ(sqlite.status, 0) << sqlite.err;
        ASSERT_EQ(firebird.status, 0) << firebird.err;
        EXPECT_EQ(firebird.out, sqlite.out);
    }
}

TEST_F(FbReportCommand, EveryRunIsAuditedInTheFileUnderTheSystemLogin) {
    ASSERT_EQ(Report("test.fdb", {"--format", "csv", "--out", "ok.csv"}).status, 0);
    ASSERT_EQ(Report("test.fdb", {"--format", "csv", "--out", "missing/x.csv"}).status, 1);
    const auto engine = hostfw::OpenDatabase((folder_ / "test.fdb").string());
    const auto rows = engine->Query(
        "SELECT PESSOA, EVENTO, SAIDA, RESULTADO, PARAMETROS FROM AUDITORIA "
        "ORDER BY MOMENTO, RDB$DB_KEY",
        {});
    std::vector<std::string> seen;
    std::vector<std::string> parameters;
    while (rows->Next()) {
        seen.push_back(rows->Value(0).AsString() + "|" + rows->Value(1).AsString() + "|" +
                       rows->Value(2).AsString() + "|" + rows->Value(3).AsString().substr(0, 6));
        parameters.push_back(rows->Value(4).AsString());
    }
    const std::string login = getpwuid(geteuid())->pw_name;
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], login + "|relatorio|visualizar|ok");
    EXPECT_EQ(seen[1], login + "|relatorio|exportar-csv " + (folder_ / "ok.csv").string() + "|ok");
    EXPECT_EQ(seen[3], login + "|relatorio|exportar-csv " + (folder_ / "missing/x.csv").string() +
                           "|falha:");
    // All ten parameters of the query, with the values the form bound.
    EXPECT_EQ(std::count(parameters[1].begin(), parameters[1].end(), '\n'), 9) << parameters[1];
    EXPECT_NE(parameters[1].find("P_CDFILIAL=\"0001\""), std::string::npos) << parameters[1];
}

}  // namespace
