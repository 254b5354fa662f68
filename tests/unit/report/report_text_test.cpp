#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/core/utf8.h"
#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "report_test_support.h"

namespace reporttest {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

// One page of the text output: the lines given, blank lines down to the footer, the footer.
std::vector<std::string> Page(std::vector<std::string> top, const std::string& footerTitle,
                              int page, int pages, std::size_t width) {
    const std::size_t kLines = 60;
    top.resize(kLines - 2);
    const std::string footer = "Página " + std::to_string(page) + " de " + std::to_string(pages);
    const std::size_t footerTitleWidth = hostfw::Utf8Length(footerTitle);
    top.push_back(std::string(width, '-'));
    top.push_back(footerTitle +
                  std::string(width - footerTitleWidth - hostfw::Utf8Length(footer), ' ') + footer);
    return top;
}

class ReportText : public ReportTest {};

TEST_F(ReportText, IssueDateReportOfTheFixedRowsComesOutLineByLine) {
    const auto text = hostfw::PreviewReport(Request(0));
    ASSERT_TRUE(text);
    const std::string rule(133, '-');
    const std::vector<std::string> expected = Page(
        {"Relatório EXP036 - Tela EXP03600                Consulta Lançamentos - Data de Emissão  "
         "              Impresso em 04/03/2026 12:00:00",
         "Filial: 0001 - Matriz São Paulo                                                    "
         "Período (Data de Emissão): 01/01/2025 a 31/12/2025",
         "Clientes: Todos   Filiais destino: Todos   Notas fiscais: Todos",
         "Status: Pendente, Emitida, Aprovada, Cancelada",
         rule,
         "Dest. Lançamento Nota Fiscal Cliente                      CPF/CNPJ           Emissão    "
         "Saída      Status                       Valor",
         rule,
         "Filial destino: 0001 - Matriz São Paulo",
         "0001           3 1003        O \"Rei\" do Pão               11.444.777/0001-61 "
         "01/02/2025            Pendente                     99,90",
         "                             Total da filial destino 0001: 1 nota(s)                  "
         "                                          99,90",
         "",
         "Filial destino: 0002 - Filial Campinas",
         "0002           1 1001        João da Silva                529.982.247-25     01/01/2025 "
         "03/01/2025 Emitida                   1.500,00",
         "0002           7 1004        João da Silva                529.982.247-25     31/01/2025 "
         "31/01/2025 Pendente                      0,01",
         "                             Total da filial destino 0002: 2 nota(s)                  "
         "                                       1.500,01",
         "",
         "Filial destino: 0003 - Filial Curitiba",
         "0003           2 1002        Café & Cia, Ltda             11.222.333/0001-81 31/01/2025 "
         "02/02/2025 Aprovada                    250,75",
         "                             Total da filial destino 0003: 1 nota(s)                  "
         "                                         250,75",
         "",
         rule,
         "                             Total geral: 4 nota(s)                                   "
         "                                       1.850,66"},
        "Consulta Lançamentos - Data de Emissão", 1, 1, 133);
    EXPECT_THAT(SplitLines(*text), ElementsAreArray(expected));
}

TEST_F(ReportText, CancellationReportAddsTheCancellationDateAndHasNoStatusFilter) {
    FormChoices choices;
    choices.branch = "0002";
    choices.statuses = "";  // the form unchecks every status box under this variant
    const auto text = hostfw::PreviewReport(Request(1, choices));
    ASSERT_TRUE(text);
    const std::vector<std::string> lines = SplitLines(*text);
    ASSERT_EQ(lines.size(), 60u);
    EXPECT_EQ(lines[1],
              "Filial: 0002 - Filial Campinas                                                      "
              "      Período (Dt. Canc. Expedição): 01/01/2025 a 31/12/2025");
    EXPECT_EQ(lines[4],
              "Dest. Lançamento Nota Fiscal Cliente                      CPF/CNPJ           "
              "Emissão    Saída      Canc. Exp. Status                       Valor");
    EXPECT_EQ(lines[7],
              "0001           4 2001        João da Silva                529.982.247-25     "
              "15/01/2025 20/01/2025 23/01/2025 Expedição Cancelada       3.200,10");
    EXPECT_THAT(lines[11], HasSubstr("Total geral: 1 nota(s)"));
    EXPECT_THAT(lines[59], HasSubstr("Página 1 de 1"));
}

TEST_F(ReportText, AReportWithoutRowsKeepsItsHeadingsAndSaysSo) {
    FormChoices choices;
    choices.branch = "0009";  // no such branch: no rows and no branch name
    const auto text = hostfw::PreviewReport(Request(0, choices));
    ASSERT_TRUE(text);
    const std::vector<std::string> lines = SplitLines(*text);
    ASSERT_EQ(lines.size(), 60u);
    EXPECT_THAT(lines[1], HasSubstr("Filial: 0009 - "));
    EXPECT_THAT(lines[5], HasSubstr("Dest. Lançamento Nota Fiscal Cliente"));
    EXPECT_EQ(lines[7], "Nenhum lançamento encontrado para os parâmetros informados.");
    EXPECT_THAT(lines[59], HasSubstr("Página 1 de 1"));
    for (std::size_t i = 8; i < 58; ++i)
        EXPECT_EQ(lines[i], "") << "line " << i;
}

// The same definition on short pages: the rows spread over pages that each keep the page's
// length, headings and footer, and a group heading never ends a page alone.
TEST_F(ReportText, LongReportsBreakIntoFramedPagesNumberedNofM) {
    nlohmann::ordered_json document =
        nlohmann::ordered_json::parse(ReadFile(reportFolder / "EXP036-001.json"));
    document["page"]["lines"] = 16;  // 7 body lines a page
    const hostfw::ReportDefinition shortPages =
        hostfw::ParseReportDefinition(document.dump(), reportFolder / "EXP036-001.json");

    const auto text = hostfw::PreviewReport(Request(shortPages));
    ASSERT_TRUE(text);
    const std::vector<std::string> pages = SplitLines(*text, "\f");
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::vector<std::string> lines = SplitLines(pages[p]);
        ASSERT_EQ(lines.size(), 16u) << "page " << p + 1;
        EXPECT_THAT(lines[0], HasSubstr("Consulta Lançamentos - Data de Emissão"));
        EXPECT_THAT(lines[5], HasSubstr("Dest. Lançamento"));
        EXPECT_THAT(lines[15], HasSubstr("Página " + std::to_string(p + 1) + " de 3"));
        // The last body line of a page is never a group heading.
        std::size_t last = 13;
        while (last > 7 && lines[last].empty())
            --last;
        EXPECT_THAT(lines[last], ::testing::Not(HasSubstr("Filial destino:"))) << "page " << p + 1;
    }
    EXPECT_THAT(pages[2], HasSubstr("Total geral: 4 nota(s)"));
}

}  // namespace
}  // namespace reporttest
