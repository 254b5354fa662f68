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
        UserActions::ReplaceText(control<TDateEditPlus>("depInicial"), "01/01/2025");
        UserActions::ReplaceText(control<TDateEditPlus>("depFinal"), "31/12/2025");
    }
    TParams bind(const std::vector<std::string>& names, bool flag = true) {
        TParams params;
        for (const std::string& name : names)
            params.CreateParam(name);
        control<TReportDesignerDialog>("rpddPadrao").DoBeforeGetQueryParams(params, flag);
        EXPECT_TRUE(flag) << "the engine's boolean is left as it came";
        return params;
    }
    static Variant value(TParams& params, const char* name) {
        return params.ParamByName(name).Value();
    }
    void pick(const char* lista, const char* button, std::vector<size_t> rows) {
        UserActions::Click(control<TRadioButton>(lista));
        ui.pickAnswers.push_back(std::move(rows));
        UserActions::Click(control<TControl>(button));
    }
};

const std::vector<std::string> kAllNames = {
    "P_CDFILIAL",  "P_TCDCLIENTE", "P_CDCLIENTE", "P_DATAINI", "P_DATAFIM",
    "P_TFILIDEST", "P_FILIDEST",   "P_TNOTA",     "P_NOTA",    "P_STATUS"};

TEST_F(ReportParameters, TodosGivesTheFlagAndAnEmptyListNeverNull) {
    TParams params = bind(kAllNames);
    EXPECT_EQ(value(params, "P_CDFILIAL"), Variant("0001"));
    for (const char* flag : {"P_TCDCLIENTE", "P_TFILIDEST", "P_TNOTA"})
        EXPECT_EQ(value(params, flag), Variant("T")) << flag;
    for (const char* list : {"P_CDCLIENTE", "P_FILIDEST", "P_NOTA"})
        EXPECT_EQ(value(params, list), Variant("")) << list;
    EXPECT_EQ(value(params, "P_DATAINI"), Variant(EncodeDate(2025, 1, 1)));
    EXPECT_EQ(value(params, "P_DATAFIM"), Variant(EncodeDate(2025, 12, 31)));
    EXPECT_EQ(value(params, "P_STATUS").AsString(), "PEAC");
}

TEST_F(ReportParameters, ListaGivesAnEmptyFlagAndThePickedListUnchanged) {
    pick("rdbLCli", "btnCli", {0, 2});
    pick("rdbLFil", "btnFilDest", {1});
    TParams params = bind(kAllNames);
    EXPECT_EQ(value(params, "P_TCDCLIENTE"), Variant(""));
    EXPECT_EQ(value(params, "P_CDCLIENTE"), Variant(st("stListaCliente")));
    EXPECT_EQ(value(params, "P_TFILIDEST"), Variant(""));
    EXPECT_EQ(value(params, "P_FILIDEST"), Variant(",0002,"));
}

TEST_F(ReportParameters, AListPickedEarlierComesBackWithLista) {
    pick("rdbLFil", "btnFilDest", {0});
    UserActions::Click(control<TRadioButton>("rdbTFil"));
    TParams todos = bind(kAllNames);
    EXPECT_EQ(value(todos, "P_FILIDEST"), Variant(""));
    UserActions::Click(control<TRadioButton>("rdbLFil"));
    TParams lista = bind(kAllNames);
    EXPECT_EQ(value(lista, "P_FILIDEST"), Variant(",0001,"));
}

TEST_F(ReportParameters, OnlyDeclaredParametersAreTouched) {
    st("stStatusPedido") = "before";
    TParams none = bind({"P_TCDFILIAL", "P_OTHER"});
    EXPECT_FALSE(none.ParamByName("P_TCDFILIAL").IsAssigned());
    EXPECT_FALSE(none.ParamByName("P_OTHER").IsAssigned());
    EXPECT_EQ(st("stStatusPedido"), "before");

    TParams listOnly = bind({"P_CDCLIENTE"});
    EXPECT_EQ(value(listOnly, "P_CDCLIENTE"), Variant(""));
}

TEST_F(ReportParameters, StatusLettersFollowTheLetterOrderNotTheTabOrder) {
    for (const char* box : {"ckbPend", "ckbAprovada"})
        UserActions::Click(control<TCheckBox>(box));
    TParams params = bind({"P_STATUS"});
    EXPECT_EQ(value(params, "P_STATUS").AsString(), "EC");
    EXPECT_EQ(st("stStatusPedido"), "EC");
}

TEST_F(ReportParameters, TheCancellationReportBindsAnEmptyStatus) {
    UserActions::Select(control<TComboBox>("cbbReportNames"), 1);
    TParams params = bind({"P_STATUS"});
    EXPECT_EQ(value(params, "P_STATUS").AsString(), "");
    EXPECT_FALSE(value(params, "P_STATUS").IsEmptyOrNull());
}

}  // namespace
}  // namespace moduletest
