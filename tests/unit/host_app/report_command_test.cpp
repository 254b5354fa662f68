// The report subcommand end to end: the real host, package and report definitions over the
// small fixed test database.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace {

namespace fs = std::filesystem;

using Finished = testsupport::ProgramRun;

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class ReportCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("exp036_report_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const Finished made = testsupport::RunProgramIn(
            folder_, {EXP036_BIN_DIR "/exp036-demodb", "test.sqlite", "--test-data"});
        ASSERT_EQ(made.status, 0) << made.err;
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // exp036-host report over the test database, branch 0001, the year 2025, and `more`.
    static Finished report(const std::vector<std::string>& more) {
        std::vector<std::string> arguments = {
            EXP036_BIN_DIR "/exp036-host", "report",   "--db", "test.sqlite", "--reports",
            EXP036_SOURCE_DIR "/reports",  "--branch", "0001"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return testsupport::RunProgramIn(folder_, arguments);
    }

    static inline fs::path folder_;
};

TEST_F(ReportCommand, AReversedRangeIsRefusedWithTheFormsOwnMessage) {
    const Finished finished = report({"--from", "31/12/2025", "--to", "01/01/2025"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "exp036-host: Data inicial deve ser menor que data final.\n");
    EXPECT_EQ(finished.out, "");
}

TEST_F(ReportCommand, TheTextReportGoesToTheFileWithOnlyTheChosenRows) {
    const Finished finished =
        report({"--from", "01/01/2025", "--to", "31/01/2025", "--status", "E", "--out", "r.txt"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(finished.out, "");
    const std::string text = FileText(folder_ / "r.txt");
    EXPECT_NE(text.find("Status: Emitida"), std::string::npos) << text;
    EXPECT_NE(text.find("Total geral: 1 nota(s)"), std::string::npos) << text;
}

TEST_F(ReportCommand, PickedClientsNarrowTheCsvOnStandardOutput) {
    const Finished finished = report(
        {"--from", "01/01/2025", "--to", "31/12/2025", "--clients", "11", "--format", "csv"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(finished.out.rfind("Dest.,Lançamento,Nota Fiscal,Cliente", 0), 0u) << finished.out;
    EXPECT_NE(finished.out.find(",\"Café & Cia, Ltda\","), std::string::npos) << finished.out;
    EXPECT_EQ(finished.out.find("João da Silva"), std::string::npos) << finished.out;
}

TEST_F(ReportCommand, ThePdfReplacesTheOutFileAndLeavesNoPrintFolderBehind) {
    std::ofstream(folder_ / "r.pdf") << "old";
    const Finished finished =
        report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", "pdf", "--out", "r.pdf"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(FileText(folder_ / "r.pdf").rfind("%PDF", 0), 0u);
    for (const auto& entry : fs::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename().string().find(".exp036-"), std::string::npos);
}

TEST_F(ReportCommand, AKeyThatIsNotOfferedIsNamed) {
    const Finished finished =
        report({"--from", "01/01/2025", "--to", "31/12/2025", "--clients", "9999"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_NE(finished.err.find("\"9999\""), std::string::npos) << finished.err;
}

TEST_F(ReportCommand, ABadCommandLineNeverOpensTheForm) {
    const Finished finished = report({"--format", "xls"});
    EXPECT_EQ(finished.status, 2);
    EXPECT_NE(finished.err.find("--format espera text, pdf ou csv"), std::string::npos);
}

}  // namespace
