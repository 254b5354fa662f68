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
    const std::string file = ReadFile(File());
    const auto number = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(file[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(file[at + 1])) << 8;
    };
    std::vector<std::string> parts;
    for (std::size_t at = file.find("PK\x03\x04"); at != std::string::npos;
         at = file.find("PK\x03\x04", at + 4)) {
        const std::string name = file.substr(at + 30, number(at + 26));
        parts.push_back(name);
        EXPECT_EQ(number(at + 8), 8u) << name << " deflated";
        EXPECT_EQ(number(at + 6) & 6u, 4u) << name << " at a fast level";
    }
    EXPECT_THAT(parts, ::testing::Contains("xl/worksheets/sheet1.xml"));
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
