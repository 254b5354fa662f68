#include <variant>

#include "host/components/published_variables.h"
#include "host/controls/btn_pesquisa.h"
#include "host/controls/date_edit_plus.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

using PackageEntry = ModuleTest;

TEST_F(PackageEntry, NullOpensAnEmbeddedChildWindowAndReturnsAtOnce) {
    OpenEmbedded();
    ASSERT_NE(Form(), nullptr);
    EXPECT_TRUE(boIdCriado());
    EXPECT_EQ(Form()->FormStyle(), TFormStyle::fsMDIChild);
    EXPECT_EQ(Form()->BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_FALSE(Form()->BorderIcons().biMaximize);
    EXPECT_TRUE(Form()->BorderIcons().biSystemMenu);
    EXPECT_TRUE(Form()->Showing());
    EXPECT_FALSE(Form()->Modal());
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(PackageEntry, AnyOtherValueOpensAModalSizeableWindowUntilItCloses) {
    for (const Variant& parameter : {Variant(1), Variant(), Variant(0), Variant("")}) {
        bool sawModal = false;
        ui.modalActions = [&](TCustomForm& shown) {
            sawModal = shown.Modal();
            EXPECT_EQ(shown.BorderStyle(), TBorderStyle::bsSizeable);
            EXPECT_TRUE(shown.BorderIcons().biMaximize);
            EXPECT_EQ(shown.FormStyle(), TFormStyle::fsNormal);
            EXPECT_EQ(Screen().Cursor(), crDefault);
            UserActions::Close(shown);
        };
        IniProc(parameter);
        EXPECT_TRUE(sawModal);
        EXPECT_FALSE(boIdCriado());
        Application().ProcessReleases();
        EXPECT_EQ(Form(), nullptr);
        EXPECT_EQ(Screen().Cursor(), crDefault);
    }
}

TEST_F(PackageEntry, AFurtherCallRestoresTheOpenFormInsteadOfCreatingAnother) {
    OpenEmbedded();
    TCustomForm* first = Form();
    first->SetWindowState(TWindowState::wsMinimized);
    ui.modalActions = [](TCustomForm&) { ADD_FAILURE() << "an embedded form never goes modal"; };
    IniProc(Variant(1));
    EXPECT_EQ(Form(), first);
    EXPECT_EQ(Application().FormCount(), 1);
    EXPECT_EQ(first->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(first->FormStyle(), TFormStyle::fsMDIChild);
}

TEST_F(PackageEntry, AFreshFormShowsTheStoredStateAndTodayInBothDates) {
    OpenEmbedded();
    for (const char* todos : {"rdbTCli", "rdbTFil", "rdbTNota"})
        EXPECT_TRUE(Control<TRadioButton>(todos).Checked()) << todos;
    for (const char* lista : {"rdbLCli", "rdbLFil", "rdbLNota"})
        EXPECT_FALSE(Control<TRadioButton>(lista).Checked()) << lista;
    for (const char* search : {"btnCli", "btnFilDest", "btnNota"})
        EXPECT_FALSE(Control<TBtnPesquisa>(search).Enabled()) << search;
    for (const char* box : {"ckbPend", "ckbEmitida", "ckbAprovada", "ckbCancel"})
        EXPECT_TRUE(Control<TCheckBox>(box).Checked()) << box;
    EXPECT_FALSE(Control<TEdit>("edtNmFilial").Enabled());
    const std::string today = DateToStr(Now());
    EXPECT_EQ(Control<TDateEditPlus>("depInicial").Text(), today);
    EXPECT_EQ(Control<TDateEditPlus>("depFinal").Text(), today);
    EXPECT_EQ(Control<TLabel>("lblCodTela").Caption(), "EXP03600");
    EXPECT_EQ(Control<TLabel>("lblCodRel").Caption(), "EXP036");
}

TEST_F(PackageEntry, PickedListsSurviveACloseAndReopen) {
    OpenEmbedded();
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    ui.pickAnswers.push_back(std::vector<size_t>{0});
    UserActions::Click(Control<TBtnPesquisa>("btnCli"));
    const std::string picked = st("stListaCliente");
    ASSERT_FALSE(picked.empty());

    UserActions::Close(*Form());
    Application().ProcessReleases();
    EXPECT_FALSE(boIdCriado());
    OpenEmbedded();
    EXPECT_EQ(st("stListaCliente"), picked);
    EXPECT_EQ(Application().FormCount(), 1);
}

TEST_F(PackageEntry, UnloadingAndLoadingAgainStartsFromEmptyState) {
    OpenEmbedded();
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    ui.pickAnswers.push_back(std::vector<size_t>{0});
    UserActions::Click(Control<TBtnPesquisa>("btnCli"));
    ASSERT_FALSE(st("stListaCliente").empty());
    ASSERT_EQ(st("stRel"), "A");
    UserActions::Close(*Form());
    Application().ProcessReleases();

    Unload();
    EXPECT_EQ(dlopen(EXP036_BIN_DIR "/libPkg_exp03600.so", RTLD_NOW | RTLD_NOLOAD), nullptr)
        << "the package stayed in memory after dlclose";
    Load();
    EXPECT_TRUE(st("stListaCliente").empty());
    EXPECT_TRUE(st("stRel").empty());
    EXPECT_FALSE(boIdCriado());
}

// The host reads the unit's variables where the package publishes them, and only while it is
// loaded: an address kept past the unload would point into freed code and data.
TEST_F(PackageEntry, TheUnitPublishesItsVariablesWhileTheModuleIsLoaded) {
    for (const char* name :
         {"stRel", "stListaCliente", "stFilialDest", "stNota", "stStatusPedido", "stOrigem"}) {
        const PublishedVariable* published = FindPublishedVariable(name);
        ASSERT_NE(published, nullptr) << name;
        EXPECT_EQ(std::get<const std::string*>(published->address), &st(name)) << name;
    }
    const PublishedVariable* created = FindPublishedVariable("boIdCriado");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(std::get<const bool*>(created->address), &boIdCriado());
    EXPECT_EQ(FindPublishedVariable("frmRelConsLanc"), nullptr) << "not a text or a flag";

    Unload();
    EXPECT_EQ(FindPublishedVariable("stRel"), nullptr);
    Load();
    EXPECT_NE(FindPublishedVariable("stRel"), nullptr);
}

TEST_F(PackageEntry, AFailureLeavingTheEntryPutsTheCursorBack) {
    ui.modalActions = [](TCustomForm&) { throw Exception("A janela falhou."); };
    EXPECT_THROW(IniProc(Variant(1)), Exception);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    // The failure came after the form was created: it stays, tracked as open.
    EXPECT_TRUE(boIdCriado());
}

// A bound session on an unregistered branch: the refusal of the show handler is reported once,
// and the window is still activated (report variant applied) and, modally, runs its loop.
TEST_F(PackageEntry, ARefusalWhileTheWindowOpensLeavesItActivated) {
    Session().moduFili = true;
    Session().filiProc = "9999";
    OpenEmbedded();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Filial não cadastrada."});
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(Screen().ActiveForm(), Form());
    EXPECT_EQ(Control<TGroupBox>("grbDataExp").Caption(), "Data de Emissão");
    EXPECT_EQ(st("stRel"), "A");
    UserActions::Close(*Form());
    Application().ProcessReleases();
    ui.messages.clear();

    bool loopRan = false;
    ui.modalActions = [&](TCustomForm& shown) {
        loopRan = true;
        EXPECT_EQ(Messages(), std::vector<std::string>{"Filial não cadastrada."});
        EXPECT_EQ(Control<TGroupBox>("grbDataExp").Caption(), "Data de Emissão");
        UserActions::Close(shown);
    };
    IniProc(Variant(1));
    EXPECT_TRUE(loopRan);
    EXPECT_FALSE(boIdCriado());
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

}  // namespace
}  // namespace moduletest
