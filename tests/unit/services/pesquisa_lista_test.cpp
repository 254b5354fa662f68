#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/data/data_source.h"
#include "host/services/pesquisa_lista.h"
#include "host/ui/application.h"
#include "support/fake_host_ui.h"
#include "support/packet_dataset.h"

namespace {

using hostfw::PesquisaLista;

class ListPicker : public testsupport::FakeUiTest {
protected:
    ListPicker() {
        rows = testsupport::MakeDataSet(
            {"CDCLIENTE", "NMFANTCLIE"},
            {{"7 ", "Café & Cia"}, {" 11", "Padaria"}, {"2", "Mercado"}, {"1", "João"}});
        source.SetDataSet(rows.get());
    }

    // Runs the picker as a click handler does, with the user's answer queued.
    void Pick(std::optional<std::vector<size_t>> answer, const std::string& title = "Cliente") {
        ui.pickAnswers.push_back(std::move(answer));
        Application().Dispatch([&] { PesquisaLista(&source, "CDCLIENTE", title, false, list); });
    }

    std::unique_ptr<hostfw::TClientDataSet> rows;
    hostfw::TDataSource source{Owner()};
    std::string list;
};

TEST_F(ListPicker, ChosenKeysTrimmedInDatasetOrderWithCommasAround) {
    Pick(std::vector<size_t>{3, 0, 1});
    EXPECT_EQ(list, ",7,11,1,");
}

TEST_F(ListPicker, NothingMarkedGivesTheEmptyList) {
    list = ",7,";
    Pick(std::vector<size_t>{});
    EXPECT_EQ(list, "");
}

TEST_F(ListPicker, CancelKeepsTheListAsItWas) {
    list = ",2,";
    Pick(std::nullopt);
    EXPECT_EQ(list, ",2,");
}

TEST_F(ListPicker, RowsOfTheCurrentListStartMarked) {
    list = ",11,1,";
    Pick(std::nullopt);
    ASSERT_EQ(ui.pickRequests.size(), 1u);
    EXPECT_EQ(ui.pickRequests[0].marked, (std::vector<bool>{false, true, false, true}))
        << "\"1\" must not mark \"11\" nor the other way round";
}

TEST_F(ListPicker, TitleBeforeTheBarAndHintAfterIt) {
    Pick(std::nullopt, "Cliente|Marque os clientes do relatório");
    EXPECT_EQ(ui.pickRequests[0].title, "Cliente");
    EXPECT_EQ(ui.pickRequests[0].hint, "Marque os clientes do relatório");
    Pick(std::nullopt, "Filial");
    EXPECT_EQ(ui.pickRequests[1].title, "Filial");
    EXPECT_EQ(ui.pickRequests[1].hint, "");
}

TEST_F(ListPicker, RowsAreShownWithEveryVisibleField) {
    Pick(std::nullopt);
    const auto& grid = ui.pickRequests[0];
    ASSERT_EQ(grid.columns.size(), 2u);
    EXPECT_EQ(grid.columns[1].caption, "NMFANTCLIE");
    ASSERT_EQ(grid.rows.size(), 4u);
    EXPECT_EQ(grid.rows[0][1], "Café & Cia");
}

TEST_F(ListPicker, TheMarkFieldIsNeverShownAsText) {
    // An invoice list keeps each row's mark in IDMARCADO: the picker has its own boxes.
    const auto invoices =
        testsupport::MakeDataSet({"IDMARCADO", "NRLANCTONF", "STATUS"}, {{"N", "4636", "Emitida"}});
    hostfw::TDataSource invoiceSource{Owner()};
    invoiceSource.SetDataSet(invoices.get());
    ui.pickAnswers.push_back(std::nullopt);
    Application().Dispatch(
        [&] { PesquisaLista(&invoiceSource, "NRLANCTONF", "Nota Fiscal", false, list); });
    const auto& grid = ui.pickRequests.at(0);
    ASSERT_EQ(grid.columns.size(), 2u);
    EXPECT_EQ(grid.columns[0].caption, "NRLANCTONF");
    EXPECT_EQ(grid.rows.at(0), (std::vector<std::string>{"4636", "Emitida"}));
}

TEST_F(ListPicker, PickingLeavesTheCurrentRowAlone) {
    rows->SetRecNo(2);
    Pick(std::vector<size_t>{0});
    EXPECT_EQ(rows->RecNo(), 2);
}

TEST_F(ListPicker, AKeyWithACommaIsRefusedAndTheListKept) {
    rows = testsupport::MakeDataSet({"CDCLIENTE"}, {{"1"}, {"2,3"}});
    source.SetDataSet(rows.get());
    list = ",1,";
    Pick(std::vector<size_t>{0, 1});
    EXPECT_EQ(list, ",1,");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("\"2,3\""), std::string::npos) << ui.messages[0].text;
}

TEST_F(ListPicker, AKeyWithACommaThatIsNotPickedDoesNotMatter) {
    rows = testsupport::MakeDataSet({"CDCLIENTE"}, {{"1"}, {"2,3"}});
    source.SetDataSet(rows.get());
    Pick(std::vector<size_t>{0});
    EXPECT_EQ(list, ",1,");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ListPicker, EmptyDatasetStillAnswersWithTheEmptyList) {
    rows = testsupport::MakeDataSet({"CDCLIENTE"}, {});
    source.SetDataSet(rows.get());
    list = ",1,";
    Pick(std::vector<size_t>{});
    EXPECT_EQ(list, "");
}

TEST(SelectionListFormat, KeysBackFromAList) {
    EXPECT_EQ(hostfw::SelectionListKeys(",0001,0007,"), (std::vector<std::string>{"0001", "0007"}));
    EXPECT_TRUE(hostfw::SelectionListKeys("").empty());
    EXPECT_EQ(hostfw::MakeSelectionList({}), "");
    EXPECT_EQ(hostfw::MakeSelectionList({"0001"}), ",0001,");
}

}  // namespace
