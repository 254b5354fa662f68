#include "host/controls/btn_pesquisa.h"
#include "host/data/query.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class ClientLists : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }
    // Invoices and shipping refer to branches and clients, so they go first.
    void EmptyTable(const char* table) {
        for (std::string name : {"EXPEDICAO", "NOTAFISCAL", table})
            SharedDatabase()->Execute("DELETE FROM " + name, TParams());
    }
};

TEST_F(ClientLists, TheRadioButtonsOnlySwitchTheSearchButton) {
    TBtnPesquisa& search = Control<TBtnPesquisa>("btnCli");
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    EXPECT_TRUE(search.Enabled());
    ui.pickAnswers.push_back(std::vector<size_t>{1});
    UserActions::Click(search);
    const std::string picked = st("stListaCliente");
    UserActions::Click(Control<TRadioButton>("rdbTCli"));
    EXPECT_FALSE(search.Enabled());
    EXPECT_EQ(st("stListaCliente"), picked);
    EXPECT_EQ(FocusName(), "rdbTCli");
}

TEST_F(ClientLists, TheClientPickerShowsMaskedNumbersInNumberOrder) {
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    ui.pickAnswers.push_back(std::vector<size_t>{0, 3});
    UserActions::Click(Control<TBtnPesquisa>("btnCli"));
    ASSERT_EQ(ui.pickRequests.size(), 1u);
    const auto& request = ui.pickRequests[0];
    EXPECT_EQ(request.title, "Cliente");
    EXPECT_EQ(request.hint, "Cliente deve ser informado.");
    ASSERT_EQ(request.columns.size(), 2u);
    EXPECT_EQ(request.columns[0].caption, "Inscrição Jurídica");
    EXPECT_EQ(request.columns[0].width, 25);
    EXPECT_EQ(request.columns[1].caption, "Nome");
    EXPECT_EQ(request.keys, (std::vector<std::string>{"3", "11", "2", "1"}));
    EXPECT_EQ(request.rows[0][0], "111.444.777-35");
    EXPECT_EQ(request.rows[1][0], "11.222.333/0001-81");
    EXPECT_EQ(request.rows[3][0], "529.982.247-25");
    EXPECT_EQ(request.rows[3][1], "João da Silva");
    EXPECT_EQ(st("stListaCliente"), ",3,1,");
}

TEST_F(ClientLists, TheDestinationPickerOffersEveryBranch) {
    UserActions::Click(Control<TRadioButton>("rdbLFil"));
    ui.pickAnswers.push_back(std::vector<size_t>{0, 2});
    UserActions::Click(Control<TBtnPesquisa>("btnFilDest"));
    ASSERT_EQ(ui.pickRequests.size(), 1u);
    EXPECT_EQ(ui.pickRequests[0].title, "Filial");
    EXPECT_EQ(ui.pickRequests[0].hint, "");
    EXPECT_EQ(ui.pickRequests[0].columns[0].width, 8);
    EXPECT_EQ(ui.pickRequests[0].columns[1].width, 50);
    EXPECT_EQ(st("stFilialDest"), ",0001,0003,");

    ui.pickAnswers.push_back(std::nullopt);
    UserActions::Click(Control<TBtnPesquisa>("btnFilDest"));
    EXPECT_EQ(ui.pickRequests[1].marked, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(st("stFilialDest"), ",0001,0003,") << "cancelling keeps the list";
}

TEST_F(ClientLists, AnEmptyClientTableIsReportedWithoutAPicker) {
    EmptyTable("CLIENTE");
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    UserActions::Click(Control<TBtnPesquisa>("btnCli"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Não há cliente cadastrado."});
    EXPECT_TRUE(ui.pickRequests.empty());
    EXPECT_TRUE(Control<TADOIBQuery>("qryCliente").Active());
    EXPECT_EQ(FocusName(), "rdbLCli");
}

TEST_F(ClientLists, AnEmptyBranchTableClosesTheQueryAndFocusesLista) {
    UserActions::Click(Control<TRadioButton>("rdbLFil"));
    UserActions::Focus(Control<TWinControl>("rdbTCli"));
    EmptyTable("FILIAL");
    UserActions::Click(Control<TBtnPesquisa>("btnFilDest"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Não há filial casastrada."});
    EXPECT_TRUE(ui.pickRequests.empty());
    EXPECT_FALSE(Control<TADOIBQuery>("qryFilialDest").Active());
    EXPECT_EQ(FocusName(), "rdbLFil");
}

}  // namespace
}  // namespace moduletest
