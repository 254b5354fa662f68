#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host/data/engine.h"
#include "support/test_folder.h"
#include "table_rows.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using dbtest::Row;

class DemodbTool : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        std::string output;
    };

    DemodbTool() {
        fs::remove_all(root_);
        fs::create_directories(folder);
        fs::create_directories(root_ / "saida");
    }
    ~DemodbTool() override { fs::remove_all(root_); }

    // Starts the tool with its output going to a file outside the database folder.
    pid_t Start(const std::vector<std::string>& arguments) {
        const std::string tool = std::string(EXP036_BIN_DIR) + "/exp036-demodb";
        std::vector<std::string> all = {tool};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, OutputFile().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        pid_t pid = -1;
        const int rc = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(rc, 0) << tool;
        return pid;
    }

    Run Finish(pid_t pid) {
        Run run;
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::ifstream in(OutputFile());
        std::ostringstream text;
        text << in.rdbuf();
        run.output = text.str();
        return run;
    }

    Run run(const std::vector<std::string>& arguments) { return Finish(Start(arguments)); }

    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    static std::string InvoiceCount(const fs::path& database) {
        auto engine = hostfw::OpenDatabase(database.string());
        return dbtest::RowsOf(*engine, "SELECT count(*) FROM NOTAFISCAL")[0][0];
    }

    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string OutputFile() const { return (root_ / "saida" / "saida.txt").string(); }

    fs::path root_ = testsupport::PrivateTestFolder("exp036-demodb");

public:
    fs::path folder = root_ / "bancos";
    fs::path target = folder / "demo.sqlite";
};

TEST_F(DemodbTool, BuildsANewDatabaseAndLeavesNothingElse) {
    const Run result = run({target.string(), "--invoices", "50"});
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("50 notas fiscais"), std::string::npos) << result.output;
    EXPECT_EQ(InvoiceCount(target), "50");
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"demo.sqlite"}));
}

TEST_F(DemodbTool, TheBuiltFileIsAnOrdinaryDatabase) {
    ASSERT_EQ(run({target.string(), "--invoices", "5"}).status, 0);
    auto engine = hostfw::OpenDatabase(target.string());
    EXPECT_EQ(dbtest::RowsOf(*engine, "PRAGMA journal_mode"), (std::vector<Row>{{"delete"}}));
    EXPECT_EQ(dbtest::RowsOf(*engine, "PRAGMA integrity_check"), (std::vector<Row>{{"ok"}}));
    EXPECT_EQ(dbtest::RowsOf(*engine,
                             "SELECT name FROM sqlite_master WHERE type = 'index' AND "
                             "sql IS NOT NULL ORDER BY name"),
              (std::vector<Row>{
                  {"CLIENTE_NRINSJURCLIE"}, {"EXPEDICAO_CANCELAMENTO"}, {"NOTAFISCAL_EMISSAO"}}));
}

TEST_F(DemodbTool, TestDataOption) {
    ASSERT_EQ(run({target.string(), "--test-data"}).status, 0);
    EXPECT_EQ(InvoiceCount(target), "7");
}

TEST_F(DemodbTool, NeverOverwritesAnExistingFileUnasked) {
    Write(target, "dados preciosos");
    const Run result = run({target.string(), "--invoices", "5"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("já existe"), std::string::npos) << result.output;
    EXPECT_EQ(Read(target), "dados preciosos");
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"demo.sqlite"}));
}

TEST_F(DemodbTool, ForceReplacesAnExistingDatabase) {
    ASSERT_EQ(run({target.string(), "--invoices", "10"}).status, 0);
    ASSERT_EQ(run({target.string(), "--invoices", "20", "--force"}).status, 0);
    EXPECT_EQ(InvoiceCount(target), "20");
    EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"demo.sqlite"}));
}

TEST_F(DemodbTool, ForceReplacesAnEmptyFile) {
    Write(target, "");
    ASSERT_EQ(run({target.string(), "--invoices", "3", "--force"}).status, 0);
    EXPECT_EQ(InvoiceCount(target), "3");
}

TEST_F(DemodbTool, ForceNeverReplacesSomethingThatIsNotADatabase) {
    Write(target, "um relatório que não é banco de dados");
    const Run result = run({target.string(), "--force"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("não é um banco de dados SQLite"), std::string::npos)
        << result.output;
    EXPECT_EQ(Read(target), "um relatório que não é banco de dados");
    fs::create_directories(folder / "pasta");
    EXPECT_EQ(run({(folder / "pasta").string(), "--force"}).status, 1);
    EXPECT_TRUE(fs::is_directory(folder / "pasta"));
}

TEST_F(DemodbTool, AMissingFolderIsAClearError) {
    const Run result = run({(folder / "nao" / "existe.sqlite").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("não existe"), std::string::npos) << result.output;
}

TEST_F(DemodbTool, BadUsageShowsTheUsage) {
    const Run bad = run({target.string(), "--invoices", "muitas"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("uso: exp036-demodb"), std::string::npos) << bad.output;
    EXPECT_FALSE(fs::exists(target));
    const Run help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--force"), std::string::npos) << help.output;
}

// A run killed outright leaves its staged file; the next run in the folder removes it, and
// touches nothing a live run or anyone else may still want.
TEST_F(DemodbTool, AbandonedStagedFilesAreRemovedByTheNextRun) {
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = ".staged-" + std::to_string(gone) + "-11.tmp";
    const std::string live = ".staged-" + std::to_string(getpid()) + "-22.tmp";
    for (const std::string& name :
         {dead, live, std::string(".staged-33.tmp"), std::string(".staged-44.tmp"),
          std::string(".staged-x-55.tmp"), std::string("outro.tmp")}) {
        std::ofstream(folder / name) << "";
    }
    fs::last_write_time(folder / ".staged-33.tmp",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_EQ(run({target.string(), "--test-data"}).status, 0);
    std::vector<std::string> left = FilesInFolder();
    std::vector<std::string> kept = {live, ".staged-44.tmp", ".staged-x-55.tmp",
                                     target.filename().string(), "outro.tmp"};
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
}

TEST_F(DemodbTool, AnInterruptedRunLeavesNothingBehind) {
    const pid_t pid = Start({target.string(), "--invoices", "5000000"});
    // Waits until the run reports progress, then interrupts it.
    bool writing = false;
    for (int i = 0; i < 6000 && !writing; ++i) {
        writing = Read(OutputFile()).find("notas fiscais gravadas") != std::string::npos;
        if (!writing)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(writing) << "the run never reported progress";
    EXPECT_EQ(FilesInFolder().size(), 1u) << "the staged file";
    kill(pid, SIGINT);
    const Run result = Finish(pid);
    EXPECT_NE(result.status, 0);
    EXPECT_TRUE(FilesInFolder().empty());
}

// The same options give the same rows on an embedded Firebird file as in a SQLite file.
TEST_F(DemodbTool, FirebirdGetsTheSameDataFromTheSameOptions) {
    const fs::path firebird = folder / "demo.fdb";
    for (const fs::path& database : {target, firebird}) {
        const Run result =
            run({database.string(), "--invoices", "300", "--clients", "40", "--seed", "7"});
        ASSERT_EQ(result.status, 0) << result.output;
    }
    auto sqlite = hostfw::OpenDatabase(target.string());
    auto fdb = hostfw::OpenDatabase(firebird.string());
    for (const char* sql :
         {"SELECT * FROM FILIAL ORDER BY CDFILIAL", "SELECT * FROM CLIENTE ORDER BY CDCLIENTE",
          "SELECT * FROM NOTAFISCAL ORDER BY NRLANCTONF",
          "SELECT * FROM EXPEDICAO ORDER BY NRLANCTONF"}) {
        const std::vector<Row> expected = dbtest::RowsOf(*sqlite, sql);
        EXPECT_EQ(dbtest::RowsOf(*fdb, sql), expected) << sql;
        EXPECT_GT(expected.size(), 0u) << sql;
    }
}

TEST_F(DemodbTool, AFirebirdDatabaseWithTablesIsRebuiltOnlyWithForce) {
    const fs::path firebird = folder / "demo.fdb";
    ASSERT_EQ(run({firebird.string(), "--test-data"}).status, 0);
    const Run again = run({firebird.string(), "--invoices", "20"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.output.find("já contém tabelas; nada foi alterado"), std::string::npos)
        << again.output;
    EXPECT_EQ(InvoiceCount(firebird), "7");
    const Run forced = run({firebird.string(), "--invoices", "20", "--force"});
    ASSERT_EQ(forced.status, 0) << forced.output;
    EXPECT_EQ(InvoiceCount(firebird), "20");
    auto engine = hostfw::OpenDatabase(firebird.string());
    EXPECT_EQ(dbtest::RowsOf(*engine,
                             "SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES WHERE "
                             "RDB$INDEX_NAME NOT STARTING WITH 'RDB$' ORDER BY 1"),
              (std::vector<Row>{
                  {"CLIENTE_NRINSJURCLIE"}, {"EXPEDICAO_CANCELAMENTO"}, {"NOTAFISCAL_EMISSAO"}}));
}

TEST_F(DemodbTool, AFirebirdFileThatIsNoDatabaseIsLeftAlone) {
    const fs::path firebird = folder / "demo.fdb";
    Write(firebird, "dados preciosos");
    const Run result = run({firebird.string(), "--invoices", "5", "--force"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Firebird"), std::string::npos) << result.output;
    EXPECT_EQ(Read(firebird), "dados preciosos");
}

// Firebird's client library would have taken the signal over (and the run gone on to fail).
TEST_F(DemodbTool, AnInterruptedFirebirdRunLeavesNothingBehind) {
    const fs::path firebird = folder / "demo.fdb";
    const pid_t pid = Start({firebird.string(), "--invoices", "5000000"});
    bool writing = false;
    for (int i = 0; i < 6000 && !writing; ++i) {
        writing = fs::exists(firebird);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(writing) << "the run never created its file";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // into the tables and rows
    kill(pid, SIGINT);
    EXPECT_EQ(Finish(pid).status, 128 + SIGINT) << "ended by the signal";
    EXPECT_TRUE(FilesInFolder().empty());
}

}  // namespace
