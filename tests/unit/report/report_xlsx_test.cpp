#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/report/report_commands.h"
#include "report_test_support.h"
#include "support/failure_of.h"
#include "support/file_size_limit.h"

namespace reporttest {
namespace {

// The cells themselves are read back by an independent reader in tests/xlsx; these cases are
// about the file: written whole or not at all.
class ReportXlsx : public ReportTest {
protected:
    std::filesystem::path File() const { return folder / "relatorio.xlsx"; }

    void ExpectNoStagedFile() const {
        for (const auto& item : std::filesystem::directory_iterator(folder))
            EXPECT_FALSE(item.path().filename().string().starts_with(".staged-")) << item.path();
    }

    // Copies of the first invoice, so the sheet's XML is many times its deflated size.
    void AddInvoices(int count) {
        hostfw::TParams params;
        params.CreateParam("QUANTAS").SetAsVariant(hostfw::Variant(count));
        database->Execute(
            "INSERT INTO NOTAFISCAL SELECT CDFILIAL, CAST(1000 + n AS TEXT), NRNOTAFISC, "
            "CDCLIENTE, CDFILIDEST, DTEMISSAO, DTENTRSAID, IDSTATUSNF, VRTOTALNF FROM NOTAFISCAL, "
            "(WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < :QUANTAS) "
            "SELECT n FROM c) WHERE NRLANCTONF = '1'",
            params);
    }

    // What the zip's central directory says of each part of the file written.
    struct ZipPart {
        std::string name;
        unsigned flags = 0;
        unsigned method = 0;
        std::uint64_t bytes = 0;  // inflated
    };
    std::vector<ZipPart> ZipParts() const {
        const std::string file = ReadFile(File());
        const auto number = [&](std::size_t at, int size) {
            std::uint64_t value = 0;
            for (int i = size - 1; i >= 0; --i)
                value = value << 8 | static_cast<unsigned char>(file.at(at + i));
            return value;
        };
        std::vector<ZipPart> parts;
        for (std::size_t at = file.find("PK\x01\x02"); at != std::string::npos;
             at = file.find("PK\x01\x02", at + 4)) {
            parts.push_back({file.substr(at + 46, number(at + 28, 2)),
                             static_cast<unsigned>(number(at + 8, 2)),
                             static_cast<unsigned>(number(at + 10, 2)), number(at + 24, 4)});
        }
        return parts;
    }
    std::uint64_t SheetBytes() const {
        for (const ZipPart& part : ZipParts()) {
            if (part.name == "xl/worksheets/sheet1.xml")
                return part.bytes;
        }
        ADD_FAILURE() << "no first sheet";
        return 0;
    }

    void ExpectFailureLeavesTheOldFile(const std::string& reason) {
        WriteFile(File(), "anterior");
        EXPECT_EQ(testsupport::FailureOf([&] {
                      hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File());
                  }),
                  "Falha ao gravar '" + File().string() + "' (" + reason + ").");
        EXPECT_EQ(ReadFile(File()), "anterior");
        ExpectNoStagedFile();
    }
};

TEST_F(ReportXlsx, AnExportIsAWholeZipFileInPlaceOfTheOldOne) {
    WriteFile(File(), "anterior");
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File()));
    const std::string file = ReadFile(File());
    ASSERT_GT(file.size(), 22u);
    EXPECT_EQ(file.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(file.substr(file.size() - 22, 4), "PK\x05\x06") << "the zip's closing record";
    ExpectNoStagedFile();
}

// Each zip entry's flags tell how hard it was deflated (bits 1 and 2: 0 normal, 2 fast). The
// library's default level costs half an export of a large sheet; should the framework's choice
// of level be lost (another way of linking), the entries say normal.
TEST_F(ReportXlsx, EveryPartIsDeflatedFast) {
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File()));
    std::vector<std::string> names;
    for (const ZipPart& part : ZipParts()) {
        names.push_back(part.name);
        EXPECT_EQ(part.method, 8u) << part.name << " deflated";
        EXPECT_EQ(part.flags & 6u, 4u) << part.name << " at a fast level";
    }
    EXPECT_THAT(names, ::testing::Contains("xl/worksheets/sheet1.xml"));
}

TEST_F(ReportXlsx, ACancelledRunWritesNothing) {
    WriteFile(File(), "anterior");
    hostfw::ReportRequest request = Request(0);
    request.beforeGetQueryParams = [](hostfw::TParams&, bool& cancel) { cancel = true; };
    EXPECT_FALSE(hostfw::ExportReport(request, hostfw::ReportFileFormat::Xlsx, File()));
    EXPECT_EQ(ReadFile(File()), "anterior");
    ExpectNoStagedFile();
}

TEST_F(ReportXlsx, AFailingQueryLeavesTheOldFileAsItWas) {
    WriteFile(File(), "anterior");
    database->ExecuteScript("DROP TABLE EXPEDICAO; DROP TABLE NOTAFISCAL");
    EXPECT_THROW(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File()),
                 hostfw::Exception);
    EXPECT_EQ(ReadFile(File()), "anterior");
    ExpectNoStagedFile();
}

TEST_F(ReportXlsx, AFullDiskFailsTheExportWithAReasonAndKeepsTheOldFile) {
    WriteFile(File(), "anterior");
    const testsupport::FileSizeLimit limit(2000);  // less than the smallest workbook
    EXPECT_THAT(testsupport::FailureOf([&] {
                    hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File());
                }),
                ::testing::StartsWith("Falha ao gravar '" + File().string() + "' ("));
    EXPECT_EQ(ReadFile(File()), "anterior");
    ExpectNoStagedFile();
}

// libxlsxwriter keeps a sheet's rows in a temporary file, then copies them into another as it
// puts the zip together; it checks neither's writes. A limit on every file's size plays a
// temporary folder that fills up while the zip itself still fits.
TEST_F(ReportXlsx, ATemporaryFileThatCannotGrowFailsTheExport) {
    AddInvoices(3000);
    const testsupport::FileSizeLimit limit(512 * 1024);  // above the zip, below the rows
    ExpectFailureLeavesTheOldFile("arquivo grande demais");
}

TEST_F(ReportXlsx, ASheetCutShortOnItsWayIntoTheZipFailsTheExport) {
    AddInvoices(3000);
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File()));
    // The rows' file fits; the copy with the sheet's head and foot around them loses its end.
    const testsupport::FileSizeLimit limit(SheetBytes() - 4);
    ExpectFailureLeavesTheOldFile("a planilha ficou incompleta: falta espaço na pasta temporária");
}

TEST_F(ReportXlsx, OntoAStreamTheSameWorkbookArrives) {
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, File()));
    std::ostringstream out;
    ASSERT_TRUE(hostfw::ExportReport(Request(0), hostfw::ReportFileFormat::Xlsx, out));
    // The page header's print time differs between runs; the size does not.
    EXPECT_EQ(out.str().substr(0, 4), "PK\x03\x04");
    EXPECT_NEAR(static_cast<double>(out.str().size()), static_cast<double>(ReadFile(File()).size()),
                16.0);
}

}  // namespace
}  // namespace reporttest
