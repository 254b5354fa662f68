// The host on an embedded Firebird file: the report subcommand gives the same report as on
// SQLite and audits every run in the file, and Ctrl+C still ends the host.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "host/data/engine.h"
#include "unit/host_app/host_process.h"

extern char** environ;

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

// The person's Ctrl+C ends a host that has opened an embedded Firebird file, whose client library
// would take the signal over and keep the host running.
TEST_F(FbReportCommand, CtrlCEndsTheHostOnceTheDatabaseIsOpen) {
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    const std::string host = EXP036_BIN_DIR "/exp036-host";
    const std::string database = (folder_ / "test.fdb").string();
    std::vector<std::string> arguments = {
        host,       "--db", database,   "--reports", EXP036_SOURCE_DIR "/reports",
        "--branch", "0001", "--script", "-"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, host.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    // The form looks the session's branch up as it opens; the script stays open after that.
    const std::string line = "open null\n";
    ASSERT_EQ(write(input[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    const auto engineLoaded = [pid] {
        std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
        return std::string(std::istreambuf_iterator<char>(maps), {}).find("libEngine") !=
               std::string::npos;
    };
    for (int i = 0; i < 3000 && !engineLoaded(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(engineLoaded()) << "the host never opened the database";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // past the attachment
    kill(pid, SIGINT);
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 1000 && ended == 0; ++i) {
        ended = waitpid(pid, &status, WNOHANG);
        if (ended == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (ended == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    close(input[1]);
    EXPECT_EQ(ended, pid) << "the host went on after Ctrl+C";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
}

}  // namespace
