// What a person sees of a control's state: where the focus is, and whether it can be used.
// Each kind that takes the focus is rendered focused and not, enabled and not, and the
// pictures compared.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/form_view.h"
#include "host/view/model_events.h"
#include "support/fake_host_ui.h"
#include "unit/ui/test_form.h"

namespace {

using namespace hostfw;
using hostfw::view::FormView;

// Two controls of each kind that takes the focus, the second dressed in stored colours (a
// yellow background, black letters), as definitions store them.
class WidgetStateTest : public testsupport::FakeUiTest {
protected:
    WidgetStateTest() {
        int top = 4;
        for (TWinControl* control : Plain()) {
            Place(*control, top);
            top += 30;
        }
        for (TWinControl* control : Coloured()) {
            Place(*control, top);
            control->SetColor(clInfoBk);
            control->Font().color = clBlack;
            top += 30;
        }
        for (TComboBox* variants : {&combo, &colouredCombo}) {
            variants->SetItems({"Data de Emissão", "Dt. Canc. Expedição"});
            variants->SetItemIndex(0);
        }
        edit.SetText("0001");
        colouredEdit.SetText("0001");
        form.Show();
        view = std::make_unique<FormView>(form);
        view->show();
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    ~WidgetStateTest() override {
        view.reset();
        form.Hide();
    }

    static void Place(TWinControl& control, int top) {
        control.SetLeft(4);
        control.SetTop(top);
        control.SetWidth(120);
        control.SetHeight(24);
        control.SetCaption(control.ClassName() == "TCheckBox" ? "Pendente" : "Lista");
    }
    std::vector<TWinControl*> Plain() { return {&edit, &radio, &check, &combo}; }
    std::vector<TWinControl*> Coloured() {
        return {&colouredEdit, &colouredRadio, &colouredCheck, &colouredCombo};
    }

    QImage Picture(const TControl& control) {
        view->ModelChanged();
        return view->ViewOf(control)->Widget().grab().toImage();
    }
    void FocusOn(TWinControl& control) {
        view::RunUserAction([&] { UserActions::Focus(control); });
    }

    uitest::TestForm form{nullptr};
    TEdit& edit = form.Add<TEdit>("edtCodigo", nullptr, 0);
    TRadioButton& radio = form.Add<TRadioButton>("rdbLista", nullptr, 1);
    TCheckBox& check = form.Add<TCheckBox>("ckbPend", nullptr, 2);
    TComboBox& combo = form.Add<TComboBox>("cbbVariante", nullptr, 3);
    TEdit& colouredEdit = form.Add<TEdit>("edtCor", nullptr, 4);
    TRadioButton& colouredRadio = form.Add<TRadioButton>("rdbCor", nullptr, 5);
    TCheckBox& colouredCheck = form.Add<TCheckBox>("ckbCor", nullptr, 6);
    TComboBox& colouredCombo = form.Add<TComboBox>("cbbCor", nullptr, 7);
    TEdit& other = form.Add<TEdit>("edtOutro", nullptr, 8);
    std::unique_ptr<FormView> view;
};

TEST_F(WidgetStateTest, EveryKindThatTakesTheFocusShowsIt) {
    const std::vector<TWinControl*> all = [&] {
        std::vector<TWinControl*> controls = Plain();
        for (TWinControl* control : Coloured())
            controls.push_back(control);
        return controls;
    }();
    for (TWinControl* control : all) {
        TWinControl& elsewhere = control == &edit ? static_cast<TWinControl&>(colouredEdit) : edit;
        FocusOn(elsewhere);
        ASSERT_FALSE(control->Focused());
        const QImage without = Picture(*control);
        FocusOn(*control);
        ASSERT_TRUE(control->Focused()) << control->Name();
        ASSERT_TRUE(view->ViewOf(*control)->FocusWidget().hasFocus()) << control->Name();
        EXPECT_NE(Picture(*control), without)
            << control->Name() << " looks the same with the focus as without it";
    }
}

TEST_F(WidgetStateTest, ADisabledControlLooksDisabledWhateverColoursItsDefinitionStores) {
    const std::vector<TWinControl*> plain = Plain();
    const std::vector<TWinControl*> coloured = Coloured();
    FocusOn(other);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const QImage plainEnabled = Picture(*plain[i]);
        const QImage colouredEnabled = Picture(*coloured[i]);
        plain[i]->SetEnabled(false);
        coloured[i]->SetEnabled(false);
        const QImage plainDisabled = Picture(*plain[i]);
        const QImage colouredDisabled = Picture(*coloured[i]);
        EXPECT_NE(plainDisabled, plainEnabled) << plain[i]->Name() << " looks enabled";
        EXPECT_NE(colouredDisabled, colouredEnabled) << coloured[i]->Name() << " looks enabled";
        EXPECT_EQ(colouredDisabled, plainDisabled)
            << coloured[i]->Name() << ": the stored colours show on the disabled control";
    }
}

}  // namespace
