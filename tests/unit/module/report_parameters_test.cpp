#include "host/base_form/report_designer_dialog.h"
#include "host/controls/date_edit_plus.h"
#include "host/data/params.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

// Raises BeforeGetQueryParams as the report engine does, with a list holding only `names`.
class ReportParameters : public ModuleTest {
protected:
    void SetUp() override {
        OpenEmbedded();
        UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "01/01/2025");
        UserActions::ReplaceText(Control<TDateEditPlus>("depFinal"), "31/12/2025");
    }
    TParams Bind(const std::vector<std::string>& names, bool flag = true) {
        TParams params;
        for (const std::string& name : names)
            params.CreateParam(name);
        Control<TReportDesignerDialog>("rpddPadrao").DoBeforeGetQueryParams(params, flag);
        EXPECT_TRUE(flag) << "the engine's boolean is left as it came";
        return params;
    }
    static Variant Value(TParams& params, const char* name) {
        return params.ParamByName(name).Value();
    }
    void Pick(const char* lista, const char* button, std::vector<size_t> rows) {
        UserActions::Click(Control<TRadioButton>(lista));
        ui.pickAnswers.push_back(std::move(rows));
        UserActions::Click(Control<TControl>(button));
    }
};

const std::vector<std::string> kAllNames = {
    "P_CDFILIAL",  "P_TCDCLIENTE", "P_CDCLIENTE", "P_DATAINI", "P_DATAFIM",
    "P_TFILIDEST", "P_FILIDEST",   "P_TNOTA",     "P_NOTA",    "P_STATUS"};

TEST_F(ReportParameters, TodosGivesTheFlagAndAnEmptyListNeverNull) {
    TParams params = Bind(kAllNames);
    EXPECT_EQ(Value(params, "P_CDFILIAL"), Variant("0001"));
    for (const char* flag : {"P_TCDCLIENTE", "P_TFILIDEST", "P_TNOTA"})
        EXPECT_EQ(Value(params, flag), Variant("T")) << flag;
    for (const char* list : {"P_CDCLIENTE", "P_FILIDEST", "P_NOTA"})
        EXPECT_EQ(Value(params, list), Variant("")) << list;
    EXPECT_EQ(Value(params, "P_DATAINI"), Variant(EncodeDate(2025, 1, 1)));
    EXPECT_EQ(Value(params, "P_DATAFIM"), Variant(EncodeDate(2025, 12, 31)));
    EXPECT_EQ(Value(params, "P_STATUS").AsString(), "PEAC");
}

TEST_F(ReportParameters, ListaGivesAnEmptyFlagAndThePickedListUnchanged) {
    Pick("rdbLCli", "btnCli", {0, 2});
    Pick("rdbLFil", "btnFilDest", {1});
    TParams params = Bind(kAllNames);
    EXPECT_EQ(Value(params, "P_TCDCLIENTE"), Variant(""));
    EXPECT_EQ(Value(params, "P_CDCLIENTE"), Variant(st("stListaCliente")));
    EXPECT_EQ(Value(params, "P_TFILIDEST"), Variant(""));
    EXPECT_EQ(Value(params, "P_FILIDEST"), Variant(",0002,"));
}

TEST_F(ReportParameters, AListPickedEarlierComesBackWithLista) {
    Pick("rdbLFil", "btnFilDest", {0});
    UserActions::Click(Control<TRadioButton>("rdbTFil"));
    TParams todos = Bind(kAllNames);
    EXPECT_EQ(Value(todos, "P_FILIDEST"), Variant(""));
    UserActions::Click(Control<TRadioButton>("rdbLFil"));
    TParams lista = Bind(kAllNames);
    EXPECT_EQ(Value(lista, "P_FILIDEST"), Variant(",0001,"));
}

TEST_F(ReportParameters, OnlyDeclaredParametersAreTouched) {
    st("stStatusPedido") = "before";
    TParams none = Bind({"P_TCDFILIAL", "P_OTHER"});
    EXPECT_FALSE(none.ParamByName("P_TCDFILIAL").IsAssigned());
    EXPECT_FALSE(none.ParamByName("P_OTHER").IsAssigned());
    EXPECT_EQ(st("stStatusPedido"), "before");

    TParams listOnly = Bind({"P_CDCLIENTE"});
    EXPECT_EQ(Value(listOnly, "P_CDCLIENTE"), Variant(""));
}

TEST_F(ReportParameters, StatusLettersFollowTheLetterOrderNotTheTabOrder) {
    for (const char* box : {"ckbPend", "ckbAprovada"})
        UserActions::Click(Control<TCheckBox>(box));
    TParams params = Bind({"P_STATUS"});
    EXPECT_EQ(Value(params, "P_STATUS").AsString(), "EC");
    EXPECT_EQ(st("stStatusPedido"), "EC");
}

TEST_F(ReportParameters, TheCancellationReportBindsAnEmptyStatus) {
    UserActions::Select(Control<TComboBox>("cbbReportNames"), 1);
    TParams params = Bind({"P_STATUS"});
    EXPECT_EQ(Value(params, "P_STATUS").AsString(), "");
    EXPECT_FALSE(Value(params, "P_STATUS").IsEmptyOrNull());
}

}  // namespace
}  // namespace moduletest
