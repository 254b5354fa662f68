// The report subcommand end to end: the real host, package and report definitions over the
// small fixed test database.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using hostapptest::FileText;
using hostapptest::Finished;
using hostapptest::run;
using hostapptest::RunSetting;

class ReportCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("exp036_report_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const Finished made =
            run(folder_, {EXP036_BIN_DIR "/exp036-demodb", "test.sqlite", "--test-data"});
        ASSERT_EQ(made.status, 0) << made.err;
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // exp036-host report over the test database, branch 0001, the year 2025, and `more`.
    static Finished report(const std::vector<std::string>& more, const RunSetting& setting = {}) {
        std::vector<std::string> arguments = {
            EXP036_BIN_DIR "/exp036-host", "report",   "--db", "test.sqlite", "--reports",
            EXP036_SOURCE_DIR "/reports",  "--branch", "0001"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return run(folder_, arguments, setting);
    }

    // The files of the folder whose names start with `prefix`.
    static std::vector<std::string> FilesStartingWith(const std::string& prefix) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path().filename().string().starts_with(prefix))
                names.push_back(entry.path().filename().string());
        }
        return names;
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
    EXPECT_NE(finished.err.find("--format espera text, pdf, csv ou xlsx"), std::string::npos);
}

TEST_F(ReportCommand, ACsvThatStandardOutputCannotTakeFailsTheRunWithTheReason) {
    const Finished finished =
        report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", "csv"},
               {fs::path("/dev/full"), std::nullopt});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "exp036-host: Falha ao gravar a saída padrão (disco cheio).\n");
}

TEST_F(ReportCommand, ATextReportTheDiskCannotHoldLeavesNoFileBehind) {
    // Room for the report's own spool, not for its text.
    const Finished finished =
        report({"--from", "01/01/2025", "--to", "31/12/2025", "--out", "cheio.txt"},
               {std::nullopt, rlim_t{2048}});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "exp036-host: Falha ao gravar 'cheio.txt' (arquivo grande demais).\n");
    EXPECT_FALSE(fs::exists(folder_ / "cheio.txt"));
    EXPECT_EQ(FilesStartingWith(".staged-"), std::vector<std::string>{});
}

TEST_F(ReportCommand, NoFormatReplacesALinkAFifoOrADevice) {
    std::ofstream(folder_ / "alvo.txt") << "intacto";
    fs::create_symlink("alvo.txt", folder_ / "link");
    ASSERT_EQ(mkfifo((folder_ / "fifo").c_str(), 0600), 0);
    std::vector<std::string> targets = {"link", "fifo"};
    // A device node of our own, with the null device's numbers, where we may make one.
    if (mknod((folder_ / "dispositivo").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        targets.push_back("dispositivo");
    for (const char* format : {"text", "csv", "pdf"}) {
        for (const std::string& target : targets) {
            const Finished finished = report({"--from", "01/01/2025", "--to", "31/12/2025",
                                              "--format", format, "--out", target});
            EXPECT_EQ(finished.status, 2) << format << " " << target;
            EXPECT_NE(finished.err.find("Não é possível gravar em '" + target + "'"),
                      std::string::npos)
                << finished.err;
        }
    }
    EXPECT_TRUE(fs::is_symlink(folder_ / "link"));
    EXPECT_TRUE(fs::is_fifo(folder_ / "fifo"));
    EXPECT_EQ(FileText(folder_ / "alvo.txt"), "intacto");
    if (targets.size() == 3) {
        EXPECT_TRUE(fs::is_character_file(folder_ / "dispositivo"));
    }
    for (const std::string& target : targets)
        fs::remove(folder_ / target);
}

}  // namespace
