// The module's entry routine takes no context, yet what it creates belongs to the context the
// host entered it with: two programs' contexts in one process never see each other's forms,
// sessions or screens, and the module's Application() outside an entry is a clear error.
#include <gmock/gmock.h>

#include "host/base_form/frm_dados_ger_rel.h"
#include "host/core/exception.h"
#include "host/ui/edit.h"
#include "support/failure_of.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;
using ::testing::HasSubstr;

using EntryContext = ModuleTest;

TEST_F(EntryContext, EachContextsFormReadsItsOwnSessionApplicationAndScreen) {
    OpenEmbedded();
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(&Form()->Context(), &context);
    EXPECT_EQ(Control<TEdit>("edtCdFilial").Text(), "0001");
    UserActions::Close(*Form());
    Application().ProcessReleases();

    HostContext other;
    other.Session() = Session();
    other.Session().filiProc = "0002";
    other.Session().webPort = 2;
    testsupport::FakeHostUi otherUi;
    other.Application().SetUi(&otherUi);
    IniProcIn(other, Variant::Null());

    auto* shown =
        dynamic_cast<TfrmDadosGerRel*>(other.Application().FindComponent("frmRelConsLanc"));
    ASSERT_NE(shown, nullptr) << "the form was not created under the context that entered";
    EXPECT_EQ(Form(), nullptr) << "the form went to the test's own application";
    EXPECT_EQ(&shown->Context(), &other);
    EXPECT_EQ(&shown->Application(), &other.Application());
    EXPECT_EQ(&shown->Screen(), &other.Screen());
    EXPECT_EQ(shown->FiliProc(), "0002");
    EXPECT_EQ(shown->WebPort(), 2);
    EXPECT_EQ(ComponentByName<TEdit>(*shown, "edtCdFilial").Text(), "0002");
    EXPECT_EQ(other.Screen().ActiveForm(), shown);
    EXPECT_EQ(Screen().ActiveForm(), nullptr) << "the other program's window is not active here";
    EXPECT_EQ(other.Screen().Cursor(), crDefault);

    UserActions::Close(*shown);
    other.Application().ProcessReleases();
    EXPECT_EQ(other.Application().FormCount(), 0);
    other.Application().SetUi(nullptr);
}

TEST_F(EntryContext, TheModulesApplicationOutsideAnEntryIsAClearError) {
    const EntryRoutine routine = Routine();
    ASSERT_NE(routine, nullptr);
    EXPECT_THAT(testsupport::FailureOf([&] { routine(Variant::Null()); }),
                HasSubstr("fora da entrada de um pacote (IniProc)"));
    EXPECT_EQ(Application().FormCount(), 0);
    EXPECT_FALSE(boIdCriado()) << "no form was made for nobody";
    // The host entering it afterwards opens the form as usual.
    OpenEmbedded();
    EXPECT_NE(Form(), nullptr);
}

}  // namespace
}  // namespace moduletest
