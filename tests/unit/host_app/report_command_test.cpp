// The report subcommand end to end: the real host, package and report definitions over the
// small fixed test database.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/silent_listener.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using hostapptest::FileText;
using hostapptest::Finished;
using hostapptest::RunProgram;
using hostapptest::RunSetting;

class ReportCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("exp036_report_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const Finished made =
            RunProgram(folder_, {EXP036_BIN_DIR "/exp036-demodb", "test.sqlite", "--test-data"});
        ASSERT_EQ(made.status, 0) << made.err;
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // exp036-host report over the test database, branch 0001, and `more`.
    static std::vector<std::string> ReportArguments(const std::vector<std::string>& more) {
        std::vector<std::string> arguments = {
            EXP036_BIN_DIR "/exp036-host", "report",   "--db", "test.sqlite", "--reports",
            EXP036_SOURCE_DIR "/reports",  "--branch", "0001"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }
    static Finished Report(const std::vector<std::string>& more, const RunSetting& setting = {}) {
        return RunProgram(folder_, ReportArguments(more), setting);
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
    const Finished finished = Report({"--from", "31/12/2025", "--to", "01/01/2025"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "exp036-host: Data inicial deve ser menor que data final.\n");
    EXPECT_EQ(finished.out, "");
}

TEST_F(ReportCommand, TheTextReportGoesToTheFileWithOnlyTheChosenRows) {
    const Finished finished =
        Report({"--from", "01/01/2025", "--to", "31/01/2025", "--status", "E", "--out", "r.txt"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(finished.out, "");
    const std::string text = FileText(folder_ / "r.txt");
    EXPECT_NE(text.find("Status: Emitida"), std::string::npos) << text;
    EXPECT_NE(text.find("Total geral: 1 nota(s)"), std::string::npos) << text;
}

TEST_F(ReportCommand, PickedClientsNarrowTheCsvOnStandardOutput) {
    const Finished finished = Report(
        {"--from", "01/01/2025", "--to", "31/12/2025", "--clients", "11", "--format", "csv"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(finished.out.rfind("Dest.,Lançamento,Nota Fiscal,Cliente", 0), 0u) << finished.out;
    EXPECT_NE(finished.out.find(",\"Café & Cia, Ltda\","), std::string::npos) << finished.out;
    EXPECT_EQ(finished.out.find("João da Silva"), std::string::npos) << finished.out;
}

TEST_F(ReportCommand, TheCsvDialectForBrazilianSpreadsheetsIsChosenOnTheCommandLine) {
    const Finished finished = Report({"--from", "01/01/2025", "--to", "31/12/2025", "--clients",
                                      "11", "--format", "csv", "--csv-dialect", "br"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(finished.out.rfind("\xEF\xBB\xBF"
                                 "Dest.;Lançamento;Nota Fiscal;Cliente",
                                 0),
              0u)
        << finished.out;
    EXPECT_NE(finished.out.find(";Café & Cia, Ltda;"), std::string::npos) << finished.out;
    const Finished refused =
        Report({"--from", "01/01/2025", "--format", "pdf", "--csv-dialect", "br"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--csv-dialect vale com --format csv"), std::string::npos)
        << refused.err;
}

TEST_F(ReportCommand, ThePdfReplacesTheOutFileAndLeavesNoPrintFolderBehind) {
    std::ofstream(folder_ / "r.pdf") << "old";
    const Finished finished =
        Report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", "pdf", "--out", "r.pdf"});
    ASSERT_EQ(finished.status, 0) << finished.err;
    EXPECT_EQ(FileText(folder_ / "r.pdf").rfind("%PDF", 0), 0u);
    for (const auto& entry : fs::directory_iterator(folder_))
        EXPECT_EQ(entry.path().filename().string().find(".exp036-"), std::string::npos);
}

TEST_F(ReportCommand, AKeyThatIsNotOfferedIsNamed) {
    const Finished finished =
        Report({"--from", "01/01/2025", "--to", "31/12/2025", "--clients", "9999"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_NE(finished.err.find("\"9999\""), std::string::npos) << finished.err;
}

// The audit rows of the test database from `after` on: PESSOA|OBJETO|LINHAS|SAIDA|RESULTADO,
// then the parameters.
std::vector<std::string> AuditRows(const fs::path& database, long long after) {
    const auto engine = hostfw::OpenDatabase(database.string());
    hostfw::TParams params;
    params.CreateParam("DEPOIS").SetAsVariant(hostfw::Variant(static_cast<std::int64_t>(after)));
    const auto rows = engine->Query(
        "SELECT PESSOA, EVENTO, OBJETO, LINHAS, SAIDA, RESULTADO, PARAMETROS FROM AUDITORIA "
        "WHERE rowid > :DEPOIS ORDER BY rowid",
        params);
    std::vector<std::string> seen;
    while (rows->Next()) {
        std::string row;
        for (int column = 0; column < 6; ++column)
            row += rows->Value(column).AsString() + "|";
        seen.push_back(row + "\n" + rows->Value(6).AsString());
    }
    return seen;
}

long long LastAuditRow(const fs::path& database) {
    const auto rows = hostfw::OpenDatabase(database.string())
                          ->Query("SELECT coalesce(max(rowid), 0) FROM AUDITORIA", {});
    rows->Next();
    return rows->Value(0).AsInteger();
}

// The CSV command previews, then exports: two runs of the query, two rows.
TEST_F(ReportCommand, EveryRunIsAuditedInTheDatabaseFileUnderTheSystemLogin) {
    const fs::path database = folder_ / "test.sqlite";
    const long long before = LastAuditRow(database);
    const Finished csv = Report(
        {"--from", "01/01/2025", "--to", "31/12/2025", "--format", "csv", "--out", "audited.csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const Finished failed = Report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", "csv",
                                    "--out", "missing/audited.csv"});
    ASSERT_EQ(failed.status, 1);

    const std::vector<std::string> rows = AuditRows(database, before);
    ASSERT_EQ(rows.size(), 4u);
    const std::string login = getpwuid(geteuid())->pw_name;
    const std::string report = login +
                               "|relatorio|EXP036-1 Consulta Lançamentos - Data de "
                               "Emissão (Data de Emissão)|";
    const std::string csvText = FileText(folder_ / "audited.csv");
    const auto csvRows = std::count(csvText.begin(), csvText.end(), '\n') - 1;
    EXPECT_EQ(rows[0].substr(0, rows[0].find('\n')),
              report + std::to_string(csvRows) + "|visualizar|ok|");
    EXPECT_EQ(rows[1].substr(0, rows[1].find('\n')),
              report + std::to_string(csvRows) + "|exportar-csv " +
                  (folder_ / "audited.csv").string() + "|ok|");
    // All ten parameters of the query, with the values the form bound.
    const std::string parameters = rows[1].substr(rows[1].find('\n') + 1);
    EXPECT_EQ(std::count(parameters.begin(), parameters.end(), '\n'), 9) << parameters;
    EXPECT_NE(parameters.find("P_CDFILIAL=\"0001\""), std::string::npos) << parameters;
    EXPECT_NE(parameters.find("P_DATAFIM=date(2025-12-31)"), std::string::npos) << parameters;
    EXPECT_NE(
        rows[3].find("|exportar-csv " + (folder_ / "missing/audited.csv").string() + "|falha: "),
        std::string::npos)
        << rows[3];
}

TEST_F(ReportCommand, ABadCommandLineNeverOpensTheForm) {
    const Finished finished = Report({"--format", "xls"});
    EXPECT_EQ(finished.status, 2);
    EXPECT_NE(finished.err.find("--format espera text, pdf, csv ou xlsx"), std::string::npos);
}

TEST_F(ReportCommand, ACsvThatStandardOutputCannotTakeFailsTheRunWithTheReason) {
    const Finished finished =
        Report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", "csv"},
               {fs::path("/dev/full"), std::nullopt});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "exp036-host: Falha ao gravar a saída padrão (disco cheio).\n");
}

// A reader that went away (a pipe into a program that stopped reading) is a failure with its
// reason, as a full disk is, never a death by SIGPIPE.
TEST_F(ReportCommand, OutputIntoAClosedPipeFailsTheRunWithTheReason) {
    for (const char* format : {"text", "csv"}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        close(ends[0]);
        const Finished finished =
            Report({"--from", "01/01/2025", "--to", "31/12/2025", "--format", format},
                   {std::nullopt, std::nullopt, {}, ends[1]});
        close(ends[1]);
        EXPECT_EQ(finished.status, 1) << format;
        EXPECT_EQ(finished.err,
                  "exp036-host: Falha ao gravar a saída padrão (a saída foi fechada).\n")
            << format;
    }
}

TEST_F(ReportCommand, ATextReportTheDiskCannotHoldLeavesNoFileBehind) {
    // Room for the report's own spool, not for its text.
    const Finished finished =
        Report({"--from", "01/01/2025", "--to", "31/12/2025", "--out", "cheio.txt"},
               {std::nullopt, rlim_t{2048}});
    EXPECT_EQ(finished.status, 1);
    // The audit cannot grow the database file either, and says so.
    EXPECT_NE(finished.err.find("não foi registrada na auditoria"), std::string::npos)
        << finished.err;
    EXPECT_TRUE(finished.err.ends_with(
        "exp036-host: Falha ao gravar 'cheio.txt' (arquivo grande demais).\n"))
        << finished.err;
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
            const Finished finished = Report({"--from", "01/01/2025", "--to", "31/12/2025",
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

// A run ended by SIGTERM half-way takes with it what held the client's rows: the staged text and
// the print folder. A server that never answers holds the run at the form's opening.
TEST_F(ReportCommand, ARunEndedBySigtermLeavesNoStagedFileNorPrintFolder) {
    for (const std::string format : {"text", "pdf"}) {
        testsupport::SilentListener server;
        const std::string out = "sinal." + std::string(format == "text" ? "txt" : "pdf");
        const pid_t host = hostapptest::StartProgram(
            folder_, ReportArguments({"--from", "01/01/2025", "--to", "31/12/2025", "--invoices",
                                      "1", "--server", "127.0.0.1:" + std::to_string(server.Port()),
                                      "--format", format, "--out", out}));
        ASSERT_TRUE(server.WaitForClient(std::chrono::seconds(60))) << format;
        const std::string scratch = format == "text" ? ".staged-" : ".exp036-impressao-";
        EXPECT_EQ(FilesStartingWith(scratch).size(), 1u) << format << ": the run is under way";
        kill(host, SIGTERM);
        int signal = 0;
        hostapptest::FinishProgram(folder_, host, {}, &signal);
        EXPECT_EQ(signal, SIGTERM) << format;
        EXPECT_EQ(FilesStartingWith(".staged-"), std::vector<std::string>{}) << format;
        EXPECT_EQ(FilesStartingWith(".exp036-impressao-"), std::vector<std::string>{}) << format;
        EXPECT_FALSE(fs::exists(folder_ / out)) << format;
    }
}

// What runs killed outright (SIGKILL) left is removed by the next run that writes in the folder,
// the print folders with the PDFs they hold included; a live run's scratch stays.
TEST_F(ReportCommand, WhatKilledRunsLeftIsRemovedByTheNextRun) {
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string live = std::to_string(getpid());
    std::ofstream(folder_ / (".staged-" + dead + "-7.tmp")) << "cliente";
    for (const std::string& owner : {dead, live}) {
        const fs::path print = folder_ / (".exp036-impressao-" + owner + "-AbC123");
        fs::create_directory(print);
        std::ofstream(print / (".staged-" + owner + "-8.tmp")) << "cliente";
        std::ofstream(print / "EXP036-001_20250101-120000.pdf") << "%PDF";
    }
    ASSERT_EQ(Report({"--from", "01/01/2025", "--to", "31/12/2025", "--out", "limpo.txt"}).status,
              0);
    const Finished pdf = Report(
        {"--from", "01/01/2025", "--to", "31/12/2025", "--format", "pdf", "--out", "limpo.pdf"});
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(FilesStartingWith(".staged-"), std::vector<std::string>{});
    EXPECT_EQ(FilesStartingWith(".exp036-impressao-"),
              std::vector<std::string>{".exp036-impressao-" + live + "-AbC123"});
    fs::remove_all(folder_ / (".exp036-impressao-" + live + "-AbC123"));
}

// A report only its owner may read stays so when a run replaces it, whatever the format.
TEST_F(ReportCommand, AReplacedFileKeepsItsPermissions) {
    for (const std::string format : {"text", "csv", "xlsx", "pdf"}) {
        const fs::path file = folder_ / ("privado." + format);
        std::ofstream(file) << "antigo";
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        const Finished finished = Report({"--from", "01/01/2025", "--to", "31/12/2025", "--format",
                                          format, "--out", file.filename().string()});
        ASSERT_EQ(finished.status, 0) << format << ": " << finished.err;
        EXPECT_NE(FileText(file), "antigo") << format;
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write)
            << format;
    }
}

// The report command on a shared PostgreSQL database, signed in with the password libpq finds
// in PGPASSWORD or in the password file.
class PgReportCommand : public testsupport::SharedUseTest {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        folder = fs::temp_directory_path() / ("exp036_pg_report_" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        unsetenv("PGPASSWORD");
        unsetenv("PGPASSFILE");
        fs::remove_all(folder);
    }

    Finished ReportAs(const std::string& login, const std::vector<std::string>& more) {
        setenv("PGPASSWORD", testsupport::SharedUseDatabase::Password(login).c_str(), 1);
        return Report(login, more);
    }

    // The run with no password but what libpq finds by itself.
    Finished Report(const std::string& login, const std::vector<std::string>& more) {
        std::vector<std::string> arguments = {EXP036_BIN_DIR "/exp036-host",
                                              "report",
                                              "--db",
                                              database->TcpConnection() + " user=" + login,
                                              "--reports",
                                              EXP036_SOURCE_DIR "/reports",
                                              "--from",
                                              "01/01/2025",
                                              "--to",
                                              "31/12/2025",
                                              "--format",
                                              "csv",
                                              "--transcript",
                                              "transcript.txt"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunProgram(folder, arguments);
    }

    fs::path folder;
};

TEST_F(PgReportCommand, ABoundPersonGetsTheHomeBranchOnlyAndIsRefusedAnother) {
    const std::string maria = database->AddPerson("maria", "0001", true);
    const std::string joao = database->AddPerson("joao", "0003", false);

    const Finished other = ReportAs(maria, {"--branch", "0002"});
    EXPECT_EQ(other.status, 2);
    EXPECT_NE(other.err.find("A pessoa " + maria +
                             " trabalha só na filial 0001; a filial 0002 "
                             "não lhe é permitida."),
              std::string::npos)
        << other.err;

    const Finished home = ReportAs(maria, {});
    ASSERT_EQ(home.status, 0) << home.err;
    EXPECT_EQ(FileText(folder / "transcript.txt").rfind("Pessoa: " + maria + " (maria)\n", 0), 0u);
    const Finished asJoao = ReportAs(joao, {"--branch", "0001"});
    ASSERT_EQ(asJoao.status, 0) << asJoao.err;
    EXPECT_EQ(home.out, asJoao.out) << "the same rows of branch 0001";
    EXPECT_GT(std::count(home.out.begin(), home.out.end(), '\n'), 1);

    const Finished joaoElsewhere = ReportAs(joao, {"--branch", "0002"});
    ASSERT_EQ(joaoElsewhere.status, 0) << joaoElsewhere.err;
    EXPECT_NE(joaoElsewhere.out, home.out) << "a person not bound reads any branch";

    EXPECT_GE(database->AuditCount(maria, "relatorio", "%P_CDFILIAL=\"0001\"%"), 1)
        << "her runs, in her name\n"
        << home.err;
}

// Only the password file knows the password: the host signs in to the database with it, and to
// the application server as well, so the invoice search runs there as the person.
TEST_F(PgReportCommand, APasswordFromThePasswordFileSignsInToTheServerToo) {
    using testsupport::SharedUseDatabase;
    const std::string maria = database->AddPerson("maria", "0001", true);
    const std::string own = database->AddServerLogin();
    const servertest::ServerProcess server(
        {"--db", database->TcpConnection() + " user=" + own +
                     " password=" + SharedUseDatabase::Password(own)});
    const fs::path passwords = folder / "pgpass";
    std::ofstream(passwords) << "127.0.0.1:*:exp036:" << maria << ":"
                             << SharedUseDatabase::Password(maria) << "\n";
    // libpq ignores a password file others may read.
    fs::permissions(passwords, fs::perms::owner_read | fs::perms::owner_write);
    setenv("PGPASSFILE", passwords.c_str(), 1);

    // The test's server speaks plain HTTP on loopback; the person accepts that for the test.
    const Finished picked = Report(maria, {"--server", "127.0.0.1:" + std::to_string(server.Port()),
                                           "--invoices", "1,7", "--server-plain-password"});
    ASSERT_EQ(picked.status, 0) << picked.err;
    EXPECT_NE(picked.out.find("1004"), std::string::npos) << picked.out;
    EXPECT_EQ(picked.out.find("1002"), std::string::npos) << "only the picked invoices\n"
                                                          << picked.out;

    EXPECT_EQ(database->AuditCount(maria, "chamada", "%0001%", "ok"), 1)
        << "the search ran on the server in her name";
    EXPECT_EQ(database->AuditCount(maria, "chamada", "", "ok"), 1)
        << "and the host signed out from the server as it ended";

    // Without the person's word, the password does not go to a server reached over http://: the
    // run fails saying why, and the server saw no sign-in.
    const Finished refused = Report(
        maria, {"--server", "127.0.0.1:" + std::to_string(server.Port()), "--invoices", "1,7"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(
        refused.err.find("pede usuário e senha, mas a conexão com ele não é cifrada (http://, "
                         "sem TLS)"),
        std::string::npos)
        << refused.err;
    EXPECT_EQ(database->AuditCount(maria, "chamada", "%0001%"), 1)
        << "no call in her name this time";
}

}  // namespace
