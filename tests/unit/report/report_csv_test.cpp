#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "host/core/exception.h"
#include "host/report/report_commands.h"
#include "report_test_support.h"
#include "support/failure_of.h"
#include "support/file_size_limit.h"

namespace reporttest {
namespace {

using ::testing::ElementsAre;

class ReportCsv : public ReportTest {
protected:
    std::string Export(const FormChoices& choices = {}) {
        const std::filesystem::path file = folder / "relatorio.csv";
        EXPECT_TRUE(hostfw::ExportReport(Request(0, choices), hostfw::ReportFileFormat::Csv, file));
        return ReadFile(file);
    }

    void RenameClient(const std::string& client, const std::string& name) {
        hostfw::TParams params({"NOME", "CLIENTE"});
        params[0].SetAsString(name);
        params[1].SetAsString(client);
        database->Execute("UPDATE CLIENTE SET NMFANTCLIE = :NOME WHERE CDCLIENTE = :CLIENTE",
                          params);
    }
};

TEST_F(ReportCsv, OneHeadingRowThenTheDetailValuesQuotedAsRfc4180Says) {
    const std::string csv = Export();
    ASSERT_TRUE(csv.ends_with("\r\n"));
    EXPECT_THAT(
        SplitLines(csv, "\r\n"),
        ElementsAre("Dest.,Lançamento,Nota Fiscal,Cliente,CPF/CNPJ,Emissão,Saída,Status,Valor",
                    "0001,3,1003,\"O \"\"Rei\"\" do Pão\",11.444.777/0001-61,01/02/2025,,"
                    "Pendente,\"99,90\"",
                    "0002,1,1001,João da Silva,529.982.247-25,01/01/2025,03/01/2025,Emitida,"
                    "\"1.500,00\"",
                    "0002,7,1004,João da Silva,529.982.247-25,31/01/2025,31/01/2025,Pendente,"
                    "\"0,01\"",
                    "0003,2,1002,\"Café & Cia, Ltda\",11.222.333/0001-81,31/01/2025,02/02/2025,"
                    "Aprovada,\"250,75\""));
}

TEST_F(ReportCsv, TheBrazilianFormHasSemicolonsDecimalCommasAndTheByteOrderMark) {
    RenameClient("2", "Bar; Lanches \"Zé\"");
    const std::filesystem::path file = folder / "planilha.csv";
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::CsvBrazil, file));
    const std::string csv = ReadFile(file);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "a spreadsheet reads the accents as UTF-8";
    EXPECT_THAT(
        SplitLines(csv.substr(3), "\r\n"),
        ElementsAre("Dest.;Lançamento;Nota Fiscal;Cliente;CPF/CNPJ;Emissão;Saída;Status;Valor",
                    "0001;3;1003;\"Bar; Lanches \"\"Zé\"\"\";11.444.777/0001-61;01/02/2025;;"
                    "Pendente;99,90",
                    "0002;1;1001;João da Silva;529.982.247-25;01/01/2025;03/01/2025;Emitida;"
                    "1500,00",
                    "0002;7;1004;João da Silva;529.982.247-25;31/01/2025;31/01/2025;Pendente;0,01",
                    "0003;2;1002;Café & Cia, Ltda;11.222.333/0001-81;31/01/2025;02/02/2025;"
                    "Aprovada;250,75"));
}

TEST_F(ReportCsv, ALineBreakInTheDataNeverSplitsARecord) {
    RenameClient("2", "Padaria\r\nCentral");
    EXPECT_THAT(SplitLines(Export(), "\r\n")[1],
                ::testing::StartsWith("0001,3,1003,Padaria  Central,"));
}

TEST_F(ReportCsv, ANameASpreadsheetWouldRunAsAFormulaStaysText) {
    RenameClient("2", "=HYPERLINK(\"http://x\";\"y\")");
    EXPECT_THAT(SplitLines(Export(), "\r\n")[1],
                ::testing::StartsWith("0001,3,1003,\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\","));
    RenameClient("2", "@SUM(A1)");
    EXPECT_THAT(SplitLines(Export(), "\r\n")[1], ::testing::StartsWith("0001,3,1003,'@SUM(A1),"));
    RenameClient("2", "-12,50");
    EXPECT_THAT(SplitLines(Export(), "\r\n")[1], ::testing::StartsWith("0001,3,1003,\"-12,50\","))
        << "a number stays a number";
}

TEST_F(ReportCsv, TextThatIsNotUtf8ComesOutAsReplacementCharacters) {
    RenameClient("2", "Caf\xE9 \"Rei\"");  // a Latin-1 byte left by an old import
    EXPECT_THAT(SplitLines(Export(), "\r\n")[1],
                ::testing::StartsWith("0001,3,1003,\"Caf\xEF\xBF\xBD \"\"Rei\"\"\","));
}

TEST_F(ReportCsv, AnExportReplacesTheChosenFileWholeAndLeavesNoTemporaryFile) {
    const std::filesystem::path file = folder / "relatorio.csv";
    WriteFile(file, std::string(100000, 'x'));
    FormChoices choices;
    choices.statuses = "E";
    ASSERT_TRUE(hostfw::ExportReport(Request(0, choices), hostfw::ReportFileFormat::Csv, file));
    EXPECT_EQ(SplitLines(ReadFile(file), "\r\n").size(), 2u);
    for (const auto& item : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(item.path().filename().string().starts_with(".staged-")) << item.path();
}

TEST_F(ReportCsv, AFailingQueryLeavesTheOldFileAsItWas) {
    const std::filesystem::path file = folder / "relatorio.csv";
    WriteFile(file, "anterior\r\n");
    database->ExecuteScript("DROP TABLE EXPEDICAO; DROP TABLE NOTAFISCAL");
    EXPECT_THROW(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Csv, file),
                 hostfw::Exception);
    EXPECT_EQ(ReadFile(file), "anterior\r\n");
}

TEST_F(ReportCsv, AFullDiskFailsTheExportWithItsReasonAndKeepsTheOldFile) {
    const std::filesystem::path file = folder / "relatorio.csv";
    WriteFile(file, "anterior\r\n");
    const testsupport::FileSizeLimit limit(300);  // the heading and a row or two
    EXPECT_EQ(testsupport::FailureOf(
                  [&] { hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Csv, file); }),
              "Falha ao gravar '" + file.string() + "' (arquivo grande demais).");
    EXPECT_EQ(ReadFile(file), "anterior\r\n");
    for (const auto& item : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(item.path().filename().string().starts_with(".staged-")) << item.path();
}

// Every format: the run is refused before it starts, and what is there stays as it was.
TEST_F(ReportCsv, ALinkOrAFifoAtThePathIsNeverReplaced) {
    WriteFile(folder / "alvo.txt", "intacto");
    std::filesystem::create_symlink(folder / "alvo.txt", folder / "link");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    for (const auto format : {hostfw::ReportFileFormat::Text, hostfw::ReportFileFormat::Pdf,
                              hostfw::ReportFileFormat::Csv, hostfw::ReportFileFormat::Xlsx}) {
        for (const char* name : {"link", "fifo"}) {
            EXPECT_THAT(testsupport::FailureOf(
                            [&] { hostfw::ExportReport(Request(0), format, folder / name); }),
                        ::testing::StartsWith("Não é possível gravar em '"));
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link"));
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "fifo"));
    EXPECT_EQ(ReadFile(folder / "alvo.txt"), "intacto");
}

}  // namespace
}  // namespace reporttest
