#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/report/report_commands.h"
#include "report_test_support.h"

namespace reporttest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// The shipped queries against the fixed rows, read back as the entry numbers the CSV lists.
class ReportParameters : public ReportTest {
protected:
    std::vector<std::string> Entries(std::size_t index, const FormChoices& choices) {
        return EntriesOf(Request(index, choices));
    }

    std::vector<std::string> EntriesOf(const hostfw::ReportRequest& request) {
        const std::filesystem::path file = folder / "rows.csv";
        EXPECT_TRUE(hostfw::ExportReport(request, hostfw::ReportFileFormat::Csv, file));
        std::vector<std::string> entries;
        const std::vector<std::string> records = SplitLines(ReadFile(file), "\r\n");
        for (std::size_t i = 1; i < records.size(); ++i) {
            const std::size_t first = records[i].find(',');
            entries.push_back(
                records[i].substr(first + 1, records[i].find(',', first + 1) - first - 1));
        }
        return entries;
    }
};

TEST_F(ReportParameters, BothVariantsDeclareTheTenParametersOfTheForm) {
    for (std::size_t index : {0u, 1u}) {
        std::vector<std::string> names;
        hostfw::ReportRequest request = Request(index);
        request.beforeGetQueryParams = [&](hostfw::TParams& params, bool&) {
            for (std::size_t i = 0; i < params.Count(); ++i) {
                names.push_back(params[i].Name());
                EXPECT_FALSE(params[i].IsAssigned()) << "handed over already assigned";
            }
        };
        ASSERT_TRUE(hostfw::PreviewReport(request));
        EXPECT_THAT(names, UnorderedElementsAre("P_CDFILIAL", "P_TCDCLIENTE", "P_CDCLIENTE",
                                                "P_DATAINI", "P_DATAFIM", "P_TFILIDEST",
                                                "P_FILIDEST", "P_TNOTA", "P_NOTA", "P_STATUS"))
            << "item " << index;
    }
}

TEST_F(ReportParameters, AnUnassignedParameterBindsNullAndLetsNoRowThrough) {
    hostfw::ReportRequest request = Request(0);
    request.beforeGetQueryParams = [](hostfw::TParams& params, bool&) {
        AssignChoices(params, FormChoices{});
        params.ParamByName("P_TCDCLIENTE").Clear();
        params.ParamByName("P_CDCLIENTE").Clear();
    };
    EXPECT_THAT(EntriesOf(request), IsEmpty());
}

TEST_F(ReportParameters, AHandlerThatCancelsProducesNoOutput) {
    hostfw::ReportRequest request = Request(0);
    request.beforeGetQueryParams = [](hostfw::TParams&, bool& cancel) { cancel = true; };
    EXPECT_FALSE(hostfw::PreviewReport(request));
    EXPECT_FALSE(hostfw::ExportReport(request, hostfw::ReportFileFormat::Csv, folder / "x.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "x.csv"));
}

TEST_F(ReportParameters, ListsMatchWholeKeysOnly) {
    FormChoices choices;
    choices.clientsFlag = "";
    choices.clients = ",1,";
    EXPECT_THAT(Entries(0, choices), ElementsAre("1", "7")) << "client 11 is not client 1";
    choices.clients = ",11,";
    EXPECT_THAT(Entries(0, choices), ElementsAre("2"));

    choices = {};
    choices.destinationsFlag = "";
    choices.destinations = ",0003,";
    EXPECT_THAT(Entries(0, choices), ElementsAre("2"));

    choices = {};
    choices.invoicesFlag = "";
    choices.invoices = ",3,7,";
    EXPECT_THAT(Entries(0, choices), UnorderedElementsAre("3", "7"));
}

TEST_F(ReportParameters, TheAllFlagLiftsARestrictionAndAnEmptyListPicksNothing) {
    FormChoices choices;
    choices.clients = ",3,";  // ignored under "T"
    EXPECT_EQ(Entries(0, choices).size(), 4u);
    choices.clientsFlag = "";
    choices.clients = "";
    EXPECT_THAT(Entries(0, choices), IsEmpty());
}

TEST_F(ReportParameters, TheIssueDateVariantKeepsOnlyTheCheckedStatuses) {
    FormChoices choices;
    choices.statuses = "E";
    EXPECT_THAT(Entries(0, choices), ElementsAre("1"));
    choices.statuses = "PA";
    EXPECT_THAT(Entries(0, choices), UnorderedElementsAre("2", "3", "7"));
    choices.statuses = "";
    EXPECT_THAT(Entries(0, choices), IsEmpty());
    // An invoice whose shipping was cancelled ("K") has no status box to pick it.
    choices.branch = "0002";
    choices.statuses = "PEAC";
    EXPECT_THAT(Entries(0, choices), ElementsAre("5"));
}

TEST_F(ReportParameters, DatesCountWholeDaysWhateverTheTimeOfDay) {
    FormChoices choices;
    choices.from = TDateTime{EncodeDate(2025, 1, 31).value + 0.75};  // 18:00
    choices.to = TDateTime{EncodeDate(2025, 1, 31).value + 0.25};    // 06:00
    EXPECT_THAT(Entries(0, choices), ElementsAre("7", "2"));
    choices.from = EncodeDate(2025, 1, 2);
    choices.to = EncodeDate(2025, 1, 30);
    EXPECT_THAT(Entries(0, choices), IsEmpty());
}

TEST_F(ReportParameters, TheCancellationVariantFiltersOnTheCancellationDateOnly) {
    FormChoices choices;
    choices.branch = "0002";
    choices.statuses = "";
    choices.from = EncodeDate(2025, 1, 23);
    choices.to = EncodeDate(2025, 1, 23);
    EXPECT_THAT(Entries(1, choices), ElementsAre("4"));
    choices.statuses = "E";  // never a filter here
    EXPECT_THAT(Entries(1, choices), ElementsAre("4"));
    // Issued on 15/01 and shipped on 20/01, but cancelled only on 23/01.
    choices.from = EncodeDate(2025, 1, 15);
    choices.to = EncodeDate(2025, 1, 22);
    EXPECT_THAT(Entries(1, choices), IsEmpty());
}

}  // namespace
}  // namespace reporttest
