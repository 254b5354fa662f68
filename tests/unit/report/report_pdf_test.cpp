#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "host/core/child_process.h"
#include "host/core/exception.h"
#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "report_test_support.h"

namespace reporttest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The PATH the print command searches for lp, put back after each test.
class PathGuard {
public:
    explicit PathGuard(const std::string& path) : saved_(std::getenv("PATH")) {
        setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { setenv("PATH", saved_.c_str(), 1); }

private:
    std::string saved_;
};

class ReportPdf : public ReportTest {
protected:
    std::filesystem::path Print(const hostfw::ReportRequest& request,
                                const std::string& printer = "") {
        const auto printed = hostfw::PrintReport(request, {folder / "saida", printer});
        EXPECT_TRUE(printed);
        return printed ? printed->pdf : std::filesystem::path();
    }

    // What a reader of the PDF gets back from its text, laid out as printed.
    std::string TextOf(const std::filesystem::path& pdf) {
        const std::filesystem::path text = folder / "pdf.txt";
        EXPECT_EQ(hostfw::RunProgram({"pdftotext", "-layout", pdf.string(), text.string()}), 0);
        return ReadFile(text);
    }

    std::string FontsOf(const std::filesystem::path& pdf) {
        const std::filesystem::path fonts = folder / "fonts.txt";
        EXPECT_EQ(hostfw::RunProgram(
                      {"sh", "-c", "pdffonts \"$0\" > \"$1\"", pdf.string(), fonts.string()}),
                  0);
        return ReadFile(fonts);
    }

    // A stand-in for lp that writes its arguments into a file.
    std::filesystem::path FakeLp() {
        const std::filesystem::path bin = folder / "bin";
        std::filesystem::create_directories(bin);
        WriteFile(bin / "lp",
                  "#!/bin/sh\necho \"$@\" > \"" + (folder / "lp.args").string() + "\"\n");
        chmod((bin / "lp").c_str(), 0755);
        return bin;
    }
};

TEST_F(ReportPdf, ThePrintedPdfReadsBackWithTitleHeadingRowsTotalsAndPageNumbers) {
    const std::filesystem::path pdf = Print(Request(0));
    EXPECT_EQ(pdf, folder / "saida" / "EXP036-001_20260304-120000.pdf");
    const std::string text = TextOf(pdf);
    EXPECT_THAT(text, HasSubstr("Consulta Lançamentos - Data de Emissão"));
    EXPECT_THAT(text, HasSubstr("Impresso em 04/03/2026 12:00:00"));
    EXPECT_THAT(text, HasSubstr("Filial: 0001 - Matriz São Paulo"));
    EXPECT_THAT(text, HasSubstr("Período (Data de Emissão): 01/01/2025 a 31/12/2025"));
    EXPECT_THAT(text, HasSubstr("Notas fiscais: Todos"));
    EXPECT_THAT(text, HasSubstr("Lançamento"));
    EXPECT_THAT(text, ::testing::ContainsRegex(
                          "João da Silva +529\\.982\\.247-25 +01/01/2025 +03/01/2025 +Emitida "
                          "+1\\.500,00"));
    EXPECT_THAT(text, ::testing::ContainsRegex("Total da filial destino 0002: 2 nota\\(s\\) +"
                                               "1\\.500,01"));
    EXPECT_THAT(text, ::testing::ContainsRegex("Total geral: 4 nota\\(s\\) +1\\.850,66"));
    EXPECT_THAT(text, HasSubstr("Página 1 de 1"));
}

TEST_F(ReportPdf, TheFontIsEmbeddedSoThePdfLooksTheSameEverywhere) {
    const std::string fonts = FontsOf(Print(Request(0)));
    EXPECT_THAT(fonts, ::testing::ContainsRegex("DejaVuSans +CID TrueType +Identity-H +yes"));
    EXPECT_THAT(fonts, Not(::testing::ContainsRegex(" no +no +")));
}

TEST_F(ReportPdf, EveryPageOfALongReportCarriesItsNumberOutOfTheTotal) {
    nlohmann::ordered_json document =
        nlohmann::ordered_json::parse(ReadFile(reportFolder / "EXP036-001.json"));
    document["page"]["lines"] = 16;
    const hostfw::ReportDefinition shortPages =
        hostfw::ParseReportDefinition(document.dump(), reportFolder / "EXP036-001.json");
    const std::vector<std::string> pages = SplitLines(TextOf(Print(Request(shortPages))), "\f");
    ASSERT_GE(pages.size(), 3u);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_THAT(pages[page - 1], HasSubstr("Página " + std::to_string(page) + " de 3"));
        EXPECT_THAT(pages[page - 1], HasSubstr("Dest."));
    }
}

TEST_F(ReportPdf, PrintingAgainNeverOverwritesAnEarlierPdf) {
    const std::filesystem::path first = Print(Request(0));
    struct stat before {};
    ASSERT_EQ(stat(first.c_str(), &before), 0);
    FormChoices choices;
    choices.statuses = "E";
    const std::filesystem::path second = Print(Request(0, choices));
    EXPECT_EQ(second, folder / "saida" / "EXP036-001_20260304-120000_2.pdf");
    struct stat after {};
    ASSERT_EQ(stat(first.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_THAT(TextOf(first), HasSubstr("Total geral: 4 nota(s)"));
    EXPECT_THAT(TextOf(second), HasSubstr("Total geral: 1 nota(s)"));
}

TEST_F(ReportPdf, ANamedPrinterGetsTheFileThroughLp) {
    const PathGuard path(FakeLp().string());
    const auto printed = hostfw::PrintReport(Request(0), {folder / "saida", "Sala_3"});
    ASSERT_TRUE(printed);
    EXPECT_TRUE(printed->sentToPrinter);
    EXPECT_EQ(ReadFile(folder / "lp.args"), "-d Sala_3 " + printed->pdf.string() + "\n");
}

TEST_F(ReportPdf, APersonsPrintGoesToThePrinterAndLeavesNoPdfBehind) {
    const PathGuard path(FakeLp().string());
    const auto printed = hostfw::PrintReport(
        Request(0), {folder / "saida", "Sala_3", hostfw::PdfKept::WhenNotPrinted});
    ASSERT_TRUE(printed);
    EXPECT_TRUE(printed->sentToPrinter);
    EXPECT_EQ(printed->printer, "Sala_3");
    EXPECT_FALSE(printed->defaultPrinter);
    EXPECT_EQ(ReadFile(folder / "lp.args"), "-d Sala_3 " + printed->pdf.string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(printed->pdf)) << "lp has the pages";
}

TEST_F(ReportPdf, WithoutAnyPrinterAPersonsPrintKeepsThePdf) {
    const PathGuard path(FakeLp().string() + ":" + std::getenv("PATH"));
    setenv("CUPS_SERVER", (folder / "sem-cups.sock").c_str(), 1);
    const auto printed =
        hostfw::PrintReport(Request(0), {folder / "saida", "", hostfw::PdfKept::WhenNotPrinted});
    unsetenv("CUPS_SERVER");
    ASSERT_TRUE(printed);
    EXPECT_FALSE(printed->sentToPrinter);
    EXPECT_TRUE(std::filesystem::exists(printed->pdf));
    EXPECT_FALSE(std::filesystem::exists(folder / "lp.args")) << "lp was asked for nothing";
}

TEST_F(ReportPdf, WithoutLpTheUserIsToldAndThePdfStays) {
    std::filesystem::create_directories(folder / "vazio");
    const PathGuard path((folder / "vazio").string());
    const auto printed = hostfw::PrintReport(Request(0), {folder / "saida", "Sala_3"});
    ASSERT_TRUE(printed);
    EXPECT_FALSE(printed->sentToPrinter);
    EXPECT_THAT(printed->notice, HasSubstr("Sala_3"));
    EXPECT_THAT(printed->notice, HasSubstr(printed->pdf.string()));
    EXPECT_TRUE(std::filesystem::exists(printed->pdf));
}

TEST_F(ReportPdf, APrinterNameThatCouldPassForAnOptionIsRefusedBeforeAnythingIsWritten) {
    const PathGuard path(FakeLp().string());
    for (const char* printer : {"-oraw", "Sala 3", "a/b", "x#y"}) {
        EXPECT_THROW(hostfw::PrintReport(Request(0), {folder / "saida", printer}),
                     hostfw::Exception)
            << printer;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "lp.args"));
    EXPECT_FALSE(std::filesystem::exists(folder / "saida"));
}

TEST_F(ReportPdf, ExportToAChosenFileWritesTheSamePages) {
    const std::filesystem::path file = folder / "escolhido.pdf";
    FormChoices choices;
    choices.branch = "0002";
    choices.statuses = "";
    ASSERT_TRUE(hostfw::ExportReport(Request(1, choices), hostfw::ReportFileFormat::Pdf, file));
    const std::string text = TextOf(file);
    EXPECT_THAT(text, HasSubstr("Consulta Lançamentos - Dt. Canc. Expedição"));
    EXPECT_THAT(text, ::testing::ContainsRegex("23/01/2025 +Expedição Cancelada +3\\.200,10"));
}

}  // namespace
}  // namespace reporttest
