#include <gtest/gtest.h>

#include "command_line/host_options.h"

namespace host {
namespace {

std::string Refusal(const std::vector<std::string>& arguments) {
    try {
        ParseHostOptions(arguments);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "aceita";
}

TEST(HostOptions, EveryScriptOptionLandsInItsField) {
    const HostOptions options =
        ParseHostOptions({"--db", "demo.sqlite", "--reports=rep", "--output", "out", "--server",
                          "10.0.0.5:8211", "--branch", "0001", "--locked", "--printer", "PDF",
                          "--package", "p.so", "--script", "-", "--transcript", "t.txt"});
    EXPECT_EQ(options.mode, HostOptions::Mode::Script);
    EXPECT_EQ(options.database, "demo.sqlite");
    EXPECT_EQ(options.reportDir, std::filesystem::path("rep"));
    EXPECT_EQ(options.outputDir, std::filesystem::path("out"));
    EXPECT_EQ(options.serverHost, "10.0.0.5");
    EXPECT_EQ(options.serverPort, 8211);
    EXPECT_EQ(options.branch, "0001");
    EXPECT_TRUE(options.locked);
    EXPECT_EQ(options.printer, "PDF");
    EXPECT_EQ(options.package, std::filesystem::path("p.so"));
    EXPECT_EQ(options.script, "-");
    EXPECT_EQ(options.transcript, std::filesystem::path("t.txt"));
}

TEST(HostOptions, DefaultsLeaveTheSessionUnboundAndOutputLocal) {
    const HostOptions options = ParseHostOptions({"--script", "s.ui"});
    EXPECT_FALSE(options.locked);
    EXPECT_FALSE(options.serverHost.has_value());
    EXPECT_FALSE(options.reportDir.has_value());
    EXPECT_EQ(options.outputDir, std::filesystem::path("output"));
}

TEST(HostOptions, ALaterOptionOverridesAnEarlierOne) {
    EXPECT_EQ(ParseHostOptions({"--branch", "0001", "--script", "s", "--branch", "9999"}).branch,
              "9999");
}

TEST(HostOptions, HelpWinsOverEverythingElse) {
    EXPECT_EQ(ParseHostOptions({"--bogus-is-never-read", "--help"}).mode, HostOptions::Mode::Help);
}

TEST(HostOptions, BadCommandLinesAreRefusedWithAReason) {
    EXPECT_NE(Refusal({"--script", "s", "--bogus"}).find("opção desconhecida: --bogus"),
              std::string::npos);
    EXPECT_NE(Refusal({"--script"}).find("--script espera um valor"), std::string::npos);
    EXPECT_EQ(ParseHostOptions({"--db", "x"}).mode, HostOptions::Mode::Desktop)
        << "without a script the host opens its window";
    EXPECT_NE(Refusal({"--screenshots", "d"}).find("--screenshots vale com --script"),
              std::string::npos);
    EXPECT_NE(Refusal({"--script", "s", "extra"}).find("argumento inesperado"), std::string::npos);
    EXPECT_NE(Refusal({"--script", "s", "--locked=yes"}).find("não recebe valor"),
              std::string::npos);
}

TEST(HostOptions, TheCsvDialectAndTheLanguageAreCheckedWords) {
    EXPECT_TRUE(
        ParseHostOptions({"report", "--format", "csv", "--csv-dialect", "br"}).report.brazilianCsv);
    EXPECT_FALSE(ParseHostOptions({"report", "--format", "csv", "--csv-dialect", "padrao"})
                     .report.brazilianCsv);
    EXPECT_NE(Refusal({"report", "--format", "csv", "--csv-dialect", "excel"})
                  .find("--csv-dialect espera br"),
              std::string::npos);
    EXPECT_EQ(ParseHostOptions({"--language", "en"}).language, std::optional<std::string>("en"));
    for (const char* bad : {"p", "pt-BR", "pt_BR_x", "../x"})
        EXPECT_NE(Refusal({"--language", bad}).find("--language espera"), std::string::npos) << bad;
}

TEST(HostOptions, AServerTimeoutIsWholeSecondsFromOneToSixHundred) {
    EXPECT_EQ(ParseHostOptions({"--script", "s", "--server-timeout", "600"}).serverTimeoutSeconds,
              600);
    EXPECT_FALSE(ParseHostOptions({"--script", "s"}).serverTimeoutSeconds.has_value());
    for (const char* bad : {"0", "601", "-5", "2.5", "10s", ""}) {
        EXPECT_NE(Refusal({"--script", "s", "--server-timeout", bad})
                      .find("--server-timeout espera segundos de 1 a 600"),
                  std::string::npos)
            << bad;
    }
}

TEST(HostOptions, AServerReplySizeLimitIsWholeMebibytesFromOneTo4096) {
    EXPECT_EQ(ParseHostOptions({"--script", "s", "--server-max-reply", "2"}).serverReplySizeLimit,
              std::size_t{2} << 20);
    EXPECT_FALSE(ParseHostOptions({"--script", "s"}).serverReplySizeLimit.has_value());
    for (const char* bad : {"0", "4097", "-1", "1.5", "64M", ""}) {
        EXPECT_NE(Refusal({"--script", "s", "--server-max-reply", bad})
                      .find("--server-max-reply espera MiB de 1 a 4096"),
                  std::string::npos)
            << bad;
    }
}

TEST(HostOptions, AReportStandbyIsAPostgresCopyOfAPostgresDatabase) {
    const std::string primary = "host=db1 dbname=exp036";
    const HostOptions options = ParseHostOptions({"--script", "s", "--db", primary, "--report-db",
                                                  "host=db2 dbname=exp036", "--report-lag", "5"});
    EXPECT_EQ(options.reportDatabase, "host=db2 dbname=exp036");
    EXPECT_EQ(options.reportLagSeconds, 5);
    EXPECT_EQ(ParseHostOptions({"--script", "s", "--db", primary}).reportLagSeconds, 30);
    const std::string refused = "--report-db é um standby PostgreSQL do banco de --db";
    EXPECT_NE(
        Refusal({"--script", "s", "--db", "demo.sqlite", "--report-db", primary}).find(refused),
        std::string::npos);
    EXPECT_NE(
        Refusal({"--script", "s", "--db", primary, "--report-db", "copia.sqlite"}).find(refused),
        std::string::npos);
    for (const char* bad : {"0", "3601", "1.5", ""}) {
        EXPECT_NE(Refusal({"--script", "s", "--db", primary, "--report-lag", bad})
                      .find("--report-lag espera segundos de 1 a 3600"),
                  std::string::npos)
            << bad;
    }
}

TEST(HostOptions, AServerAddressNeedsAHostAndAPortInRange) {
    for (const char* bad : {"localhost", ":8211", "h:0", "h:65536", "h:80x", "h:"}) {
        EXPECT_NE(Refusal({"--script", "s", "--server", bad}).find("--server espera"),
                  std::string::npos)
            << bad;
    }
    const auto v6 = ParseServerAddress("[::1]:8080");
    ASSERT_TRUE(v6.has_value());
    EXPECT_EQ(v6->first, "::1");
    EXPECT_EQ(v6->second, 8080);
}

// Several servers of one service: the first is the session's, the others are tried in turn.
TEST(HostOptions, SeveralServersAreTheFirstAndTheOthersInOrder) {
    const auto options =
        ParseHostOptions({"--script", "s", "--server", "a:8211,[::1]:8212,c.exemplo:8213"});
    EXPECT_EQ(options.serverHost, "a");
    EXPECT_EQ(options.serverPort, 8211);
    EXPECT_EQ(options.otherServers,
              (std::vector<std::pair<std::string, int>>{{"::1", 8212}, {"c.exemplo", 8213}}));
    for (const char* bad : {"a:8211,", "a:8211,,b:1", ",a:8211", "a:8211,b"}) {
        EXPECT_NE(Refusal({"--script", "s", "--server", bad}).find("--server espera"),
                  std::string::npos)
            << bad;
    }
}

TEST(HostOptions, ReportChoicesAreReadOnlyByTheReportSubcommand) {
    EXPECT_NE(Refusal({"--script", "s", "--from", "01/01/2026"}).find("só vale com o subcomando"),
              std::string::npos);
    EXPECT_NE(Refusal({"report", "--script", "s"}).find("não vale com o subcomando"),
              std::string::npos);
    EXPECT_NE(Refusal({"report", "--locked"}).find("não vale com o subcomando"), std::string::npos);
}

TEST(HostOptions, TheReportSubcommandReadsItsChoices) {
    const HostOptions options = ParseHostOptions(
        {"report", "--branch", "0001", "--from", "01/01/2026", "--to", "31/12/2026", "--variant",
         "emissao", "--status", "pc", "--clients", "0001, 0007", "--destinations", "0002",
         "--format", "pdf", "--out", "r.pdf"});
    EXPECT_EQ(options.mode, HostOptions::Mode::Report);
    EXPECT_EQ(options.report.from, "01/01/2026");
    EXPECT_EQ(options.report.to, "31/12/2026");
    EXPECT_EQ(options.report.variant, 0);
    EXPECT_EQ(options.report.statuses, "PC");
    EXPECT_EQ(options.report.clients, (std::vector<std::string>{"0001", "0007"}));
    EXPECT_EQ(options.report.destinations, (std::vector<std::string>{"0002"}));
    EXPECT_EQ(options.report.format, ReportFormat::Pdf);
    EXPECT_EQ(options.report.out, std::filesystem::path("r.pdf"));
    EXPECT_EQ(ParseHostOptions({"report", "--variant", "cancelamento"}).report.variant, 1);
}

TEST(HostOptions, TheReportSubcommandMayFollowTheSessionOptions) {
    const HostOptions options =
        ParseHostOptions({"--db", "demo.sqlite", "report", "--branch", "0001", "--out", "report"});
    EXPECT_EQ(options.mode, HostOptions::Mode::Report);
    EXPECT_EQ(options.database, "demo.sqlite");
    EXPECT_EQ(options.report.out, std::filesystem::path("report")) << "a value, not the subcommand";
    EXPECT_EQ(ParseHostOptions({"--db", "report", "--script", "s"}).mode, HostOptions::Mode::Script)
        << "a database file named report";
    EXPECT_NE(Refusal({"--db", "d.sqlite", "report", "extra"}).find("argumento inesperado"),
              std::string::npos);
}

TEST(HostOptions, ReportChoicesThatCannotWorkAreRefusedBeforeTheFormOpens) {
    EXPECT_NE(Refusal({"report", "--status", "PX"}).find("--status espera"), std::string::npos);
    EXPECT_NE(Refusal({"report", "--status", "PP"}).find("--status espera"), std::string::npos);
    EXPECT_NE(Refusal({"report", "--variant", "2"}).find("--variant espera"), std::string::npos);
    EXPECT_NE(Refusal({"report", "--format", "xls"}).find("--format espera"), std::string::npos);
    EXPECT_NE(Refusal({"report", "--clients", "0001,,0002"}).find("sem chave vazia"),
              std::string::npos);
    EXPECT_NE(Refusal({"report", "--invoices", "12"}).find("informe --server"), std::string::npos);
    EXPECT_NE(
        Refusal({"report", "--variant", "1", "--status", "P"}).find("só vale para a variante 0"),
        std::string::npos);
}

TEST(HostOptions, AnEmptyStatusListIsLeftForTheFormToRefuse) {
    EXPECT_EQ(ParseHostOptions({"report", "--status", ""}).report.statuses, "");
}

}  // namespace
}  // namespace host
