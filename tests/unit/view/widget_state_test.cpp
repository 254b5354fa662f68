// What a person sees of a control's state: where the focus is, and whether it can be used.
// Each kind that takes the focus is rendered focused and not, enabled and not, and the
// pictures compared.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "host/ui/edit.h"
#include "host/ui/host_context.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/form_view.h"
#include "host/view/model_events.h"
#include "support/fake_host_ui.h"
#include "unit/ui/test_form.h"

namespace {

using namespace hostfw;
using hostfw::view::FormView;

// A form with one control of each kind that takes the focus, and a field to send the focus
// away to; dressed, when asked, in stored colours (a yellow background, black letters), as
// definitions store them. Its own window, so two of them show the same captions alike.
struct KindsForm {
    explicit KindsForm(bool coloured) {
        int top = 4;
        for (TWinControl* control : Kinds()) {
            control->SetLeft(4);
            control->SetTop(top);
            control->SetWidth(120);
            control->SetHeight(24);
            control->SetCaption(control == &check ? "Pendente" : "Lista");
            if (coloured) {
                control->SetColor(clInfoBk);
                control->Font().color = clBlack;
            }
            top += 30;
        }
        combo.SetItems({"Data de Emissão", "Dt. Canc. Expedição"});
        combo.SetItemIndex(0);
        edit.SetText("0001");
        form.Show();
        view = std::make_unique<FormView>(form);
        view->show();
    }
    ~KindsForm() {
        view.reset();
        form.Hide();
    }
    std::vector<TWinControl*> Kinds() { return {&edit, &radio, &check, &combo}; }

    hostfw::HostContext context;
    uitest::TestForm form{&context.Application()};
    TEdit& edit = form.Add<TEdit>("edtCodigo", nullptr, 0);
    TRadioButton& radio = form.Add<TRadioButton>("rdbLista", nullptr, 1);
    TCheckBox& check = form.Add<TCheckBox>("ckbPend", nullptr, 2);
    TComboBox& combo = form.Add<TComboBox>("cbbVariante", nullptr, 3);
    TEdit& other = form.Add<TEdit>("edtOutro", nullptr, 4);
    std::unique_ptr<FormView> view;
};

class WidgetStateTest : public testsupport::FakeUiTest {
protected:
    // The picture of a control as its window shows it now, that window the active one.
    static QImage Picture(KindsForm& side, const TControl& control) {
        side.view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(side.view.get()));
        side.view->ModelChanged();
        return side.view->ViewOf(control)->Widget().grab().toImage();
    }
    static void FocusOn(TWinControl& control) {
        view::RunUserAction([&] { UserActions::Focus(control); });
    }

    KindsForm plain{false};
    KindsForm coloured{true};
};

TEST_F(WidgetStateTest, EveryKindThatTakesTheFocusShowsIt) {
    for (KindsForm* side : {&plain, &coloured}) {
        for (TWinControl* control : side->Kinds()) {
            FocusOn(side->other);
            ASSERT_FALSE(control->Focused());
            const QImage without = Picture(*side, *control);
            FocusOn(*control);
            ASSERT_TRUE(control->Focused()) << control->Name();
            const QImage with = Picture(*side, *control);
            ASSERT_TRUE(side->view->ViewOf(*control)->FocusWidget().hasFocus()) << control->Name();
            EXPECT_NE(with, without)
                << control->Name() << " looks the same with the focus as without it";
        }
    }
}

TEST_F(WidgetStateTest, ADisabledControlLooksDisabledWhateverColoursItsDefinitionStores) {
    FocusOn(plain.other);
    FocusOn(coloured.other);
    const std::vector<TWinControl*> plainKinds = plain.Kinds();
    const std::vector<TWinControl*> colouredKinds = coloured.Kinds();
    for (std::size_t i = 0; i < plainKinds.size(); ++i) {
        const QImage plainEnabled = Picture(plain, *plainKinds[i]);
        const QImage colouredEnabled = Picture(coloured, *colouredKinds[i]);
        plainKinds[i]->SetEnabled(false);
        colouredKinds[i]->SetEnabled(false);
        const QImage plainDisabled = Picture(plain, *plainKinds[i]);
        const QImage colouredDisabled = Picture(coloured, *colouredKinds[i]);
        const std::string name = plainKinds[i]->Name();
        EXPECT_NE(plainDisabled, plainEnabled) << name << " looks enabled";
        EXPECT_NE(colouredDisabled, colouredEnabled) << name << " in colour looks enabled";
        EXPECT_EQ(colouredDisabled, plainDisabled)
            << name << ": the stored colours show on the disabled control";
    }
}

}  // namespace
