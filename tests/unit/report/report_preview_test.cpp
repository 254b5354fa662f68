// The laid-out preview a window shows: its first page before the rest, the same report once
// complete, its rows again as CSV, and runs stopped halfway.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host/report/laid_out_report.h"
#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "host/report/run_monitor.h"
#include "report_test_support.h"

namespace reporttest {
namespace {

using ::testing::HasSubstr;

std::string FooterOf(const hostfw::FramedPage& page) {
    std::string text;
    for (const hostfw::PrintedLine& line : page.footer) {
        for (const std::string& piece : line.texts)
            text += piece + " ";
    }
    return text;
}

// The issue-date report on pages of 7 body lines: the fixed rows take 3 of them.
class ReportPreview : public ReportTest {
protected:
    ReportPreview() {
        nlohmann::ordered_json document =
            nlohmann::ordered_json::parse(ReadFile(reportFolder / "EXP036-001.json"));
        document["page"]["lines"] = 16;
        shortPages =
            hostfw::ParseReportDefinition(document.dump(), reportFolder / "EXP036-001.json");
    }

    // The folder's files, so a run that leaves something behind shows.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    hostfw::ReportDefinition shortPages;
};

TEST_F(ReportPreview, IsThePrintedReportAndLeavesTheDatabaseFree) {
    const auto preview = hostfw::LaidOutReport::Start(Request(shortPages), database);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->PageCount(), 3);
    EXPECT_THAT(FooterOf(preview->Page(3)), HasSubstr("Página 3 de 3"));
    EXPECT_THAT(FooterOf(preview->Page(1)), HasSubstr("Página 1 de 3"))
        << "a page read again after a later one";
    // While the window shows it, the audit writes and other runs use the same connection.
    database->Execute("CREATE TABLE ESCRITA (X INTEGER)", hostfw::TParams());
    EXPECT_EQ(preview->Text(), *hostfw::PreviewReport(Request(shortPages)));
}

TEST_F(ReportPreview, ItsCsvHoldsTheRowsItRanWithWhateverTheFormSaysLater) {
    FormChoices choices;
    choices.clientsFlag = "";
    choices.clients = ",1,";
    const hostfw::ReportRequest asTheFormIsNow{
        *database,
        catalog->Definition(0),
        [&choices](hostfw::TParams& params, bool&) { AssignChoices(params, choices); },
        kPrintedAt,
        {}};
    const auto preview = hostfw::LaidOutReport::Start(asTheFormIsNow, database);
    ASSERT_TRUE(preview);
    const auto direct = Request(0, choices);
    choices.clients = ",11,";  // the user picked other clients since
    preview->ExportRows(folder / "visualizada.csv", hostfw::ReportFileFormat::Csv, {});

    ASSERT_TRUE(hostfw::ExportReport(direct, hostfw::ReportFileFormat::Csv, folder / "direta.csv"));
    EXPECT_EQ(ReadFile(folder / "visualizada.csv"), ReadFile(folder / "direta.csv"));
    EXPECT_EQ(SplitLines(ReadFile(folder / "visualizada.csv"), "\r\n").size(), 3u);
}

TEST_F(ReportPreview, DrawingThePagesSaysWhichOfHowManyWithTheRowsAlreadyRead) {
    auto request = Request(shortPages);
    std::vector<hostfw::RunStep> steps;
    request.progress = [&steps](const hostfw::RunStep& step) {
        steps.push_back(step);
        return true;
    };
    ASSERT_TRUE(hostfw::ExportReport(request, hostfw::ReportFileFormat::Pdf, folder / "p.pdf"));
    ASSERT_EQ(steps.size(), 3u) << "one step for each page drawn";
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(steps[page - 1].pagesDrawn, page);
        EXPECT_EQ(steps[page - 1].pageCount, 3);
        EXPECT_GT(steps[page - 1].rowsRead, 0)
            << "the rows read stay counted while pages are drawn";
    }
}

TEST_F(ReportPreview, ARunStoppedHalfwayLeavesNoFileAndTheDatabaseFree) {
    const std::vector<std::string> before = Files();
    auto request = Request(shortPages);
    request.progress = [](const hostfw::RunStep&) { return false; };
    EXPECT_THROW(
        hostfw::ExportReport(request, hostfw::ReportFileFormat::Pdf, folder / "parado.pdf"),
        hostfw::ReportCancelled);
    EXPECT_EQ(Files(), before) << "neither the file nor a staged part of it";

    // A preview closed before its last page: its statement goes with it.
    hostfw::LaidOutReport::Start(Request(shortPages), database).reset();
    const auto text = hostfw::PreviewReport(Request(shortPages));
    ASSERT_TRUE(text);
    EXPECT_THAT(*text, HasSubstr("Página 3 de 3"));
}

}  // namespace
}  // namespace reporttest
