#include "host/controls/btn_pesquisa.h"
#include "host/core/date_time.h"
#include "host/data/client_dataset.h"
#include "host/data/field.h"
#include "host/services/wait_animation.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

// The invoice search up to the server, with no server listening.
class InvoiceList : public ModuleTest {
protected:
    void SetUp() override {
        OpenEmbedded();
        UserActions::Click(Control<TRadioButton>("rdbLNota"));
    }
    void Search() { UserActions::Click(Control<TBtnPesquisa>("btnNota")); }
    bool Called() const { return !ui.serverCalls.empty(); }
    const ServerCallRecord& LastCall() const { return ui.serverCalls.back(); }
};

TEST_F(InvoiceList, ListaEnablesTheSearchAndTodosDisablesIt) {
    EXPECT_TRUE(Control<TBtnPesquisa>("btnNota").Enabled());
    UserActions::Click(Control<TRadioButton>("rdbTNota"));
    EXPECT_FALSE(Control<TBtnPesquisa>("btnNota").Enabled());
}

TEST_F(InvoiceList, AnEmptyClientListIsRefusedBeforeAnyCall) {
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    UserActions::Click(Control<TRadioButton>("rdbLFil"));
    Search();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cliente deve ser informado."});
    EXPECT_EQ(FocusName(), "rdbLCli");
    EXPECT_FALSE(Called());
}

TEST_F(InvoiceList, NoStatusUnderTheIssueDateReportIsRefusedBeforeAnyCall) {
    for (const char* box : {"ckbPend", "ckbEmitida", "ckbAprovada", "ckbCancel"})
        UserActions::Click(Control<TCheckBox>(box));
    Search();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Status da nota fiscal deve ser informado."});
    EXPECT_EQ(FocusName(), "ckbPend");
    EXPECT_FALSE(Called());
}

TEST_F(InvoiceList, AnUnreachableServerIsShownAsAFailureNotAsNoInvoices) {
    Search();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Failure);
    EXPECT_NE(ui.messages[0].text, "Não há nota fiscal cadastrada.");
    EXPECT_NE(ui.messages[0].text.find("127.0.0.1:1"), std::string::npos) << ui.messages[0].text;
    EXPECT_FALSE(ShowAviActive(context));
    EXPECT_EQ(FocusName(), "rdbLNota");
    EXPECT_TRUE(Control<TClientDataSet>("cdsNotaFiscal").IsEmpty());
    EXPECT_TRUE(ui.pickRequests.empty());
    EXPECT_TRUE(st("stNota").empty());
}

TEST_F(InvoiceList, TheCallCarriesTheChoicesInOrder) {
    UserActions::ReplaceText(Control<TEdit>("edtCdFilial"), "2");
    UserActions::Click(Control<TCheckBox>("ckbPend"));
    Search();
    ASSERT_TRUE(Called());
    EXPECT_EQ(LastCall().method, "GetNota");
    const std::vector<std::string>& args = LastCall().arguments;
    ASSERT_EQ(args.size(), 9u);
    EXPECT_EQ(args[0], "\"0002\"");
    EXPECT_EQ(args[1], "date(" + DateToIso(Now()) + ")");
    EXPECT_EQ(args[3], "\"\"");
    EXPECT_EQ(args[4], "\"T\"");
    EXPECT_EQ(args[6], "\"T\"");
    EXPECT_EQ(args[7], "\"EAC\"");
    EXPECT_EQ(args[8], "\"A\"");
}

TEST_F(InvoiceList, TheCancellationReportSendsNoStatuses) {
    UserActions::Select(Control<TComboBox>("cbbReportNames"), 1);
    Search();
    ASSERT_TRUE(Called());
    EXPECT_EQ(LastCall().arguments[7], "\"\"");
    EXPECT_EQ(LastCall().arguments[8], "\"C\"");
}

TEST_F(InvoiceList, TheStatusColumnShowsOnlyTheFiveExactLetters) {
    TClientDataSet& invoices = Control<TClientDataSet>("cdsNotaFiscal");
    DataPacket packet;
    for (const char* name :
         {"IDMARCADO", "NRNOTAFISC", "DTEMISSAO", "DTENTRSAID", "NRLANCTONF", "STATUS"})
        packet.fields.push_back({name});
    const std::vector<std::pair<std::string, std::string>> cases = {{"A", "Aprovada"},
                                                                    {"P", "Pendente"},
                                                                    {"E", "Emitida"},
                                                                    {"C", "Cancelada"},
                                                                    {"K", "Expedição Cancelada"},
                                                                    {"a", ""},
                                                                    {"X", ""},
                                                                    {"", ""},
                                                                    {"A  ", ""}};
    for (const auto& [status, shown] : cases)
        packet.rows.push_back({"", "1", "01/01/2025", "02/01/2025", "1", status});
    invoices.SetData(packet);
    TField& column = invoices.FieldByName("STATUS");
    for (const auto& [status, shown] : cases) {
        EXPECT_EQ(column.DisplayText(), shown) << '"' << status << '"';
        EXPECT_EQ(column.Text(), shown);
        invoices.Next();
    }
}

}  // namespace
}  // namespace moduletest
