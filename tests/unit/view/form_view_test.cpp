#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "host/core/exception.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "host/view/control_view.h"
#include "host/view/form_view.h"
#include "host/view/screen_scale.h"
#include "support/fake_host_ui.h"
#include "unit/ui/test_form.h"

namespace {

using namespace hostfw;
using hostfw::view::FormView;

// A small form: an upper-case edit of four characters that refuses digits, a second edit whose
// exit can be refused, a check box and a speed button that counts its clicks.
class ViewTest : public testsupport::FakeUiTest {
protected:
    ViewTest() {
        code.SetCharCase(TEditCharCase::ecUpperCase);
        code.SetMaxLength(4);
        code.SetLeft(10);
        code.SetTop(20);
        code.SetWidth(50);
        code.SetHeight(21);
        code.Font().bold = true;
        code.OnKeyPress = [](TObject*, char& key) {
            if (key >= '0' && key <= '9')
                key = 0;
        };
        name.OnExit = [this](TObject*) {
            if (refuseExit)
                Abort();
        };
        button.OnClick = [this](TObject*) { ++clicks; };
        for (TControl* control : {static_cast<TControl*>(&name), static_cast<TControl*>(&box),
                                  static_cast<TControl*>(&button)}) {
            control->SetWidth(60);
            control->SetHeight(20);
        }
        form.Show();
        view = std::make_unique<FormView>(form);
        view->show();
    }
    ~ViewTest() override {
        view.reset();
        form.Hide();
    }

    QWidget& Widget(const TControl& control) { return view->ViewOf(control)->FocusWidget(); }

    uitest::TestForm form{Owner()};
    TEdit& code = form.Add<TEdit>("edtCodigo", nullptr, 0);
    TEdit& name = form.Add<TEdit>("edtNome", nullptr, 1);
    TCheckBox& box = form.Add<TCheckBox>("ckbMarca", nullptr, 2);
    TSpeedButton& button = form.Add<TSpeedButton>("sbtConta");
    std::unique_ptr<FormView> view;
    bool refuseExit = false;
    int clicks = 0;
};

TEST_F(ViewTest, EachControlKindHasItsWidgetAtItsPlaceInItsFont) {
    EXPECT_NE(dynamic_cast<QLineEdit*>(&Widget(code)), nullptr);
    EXPECT_NE(dynamic_cast<QCheckBox*>(&Widget(box)), nullptr);
    auto* speed = dynamic_cast<QToolButton*>(&view->ViewOf(button)->Widget());
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->focusPolicy(), Qt::NoFocus) << "a speed button never takes the focus";
    const QRect place = Widget(code).geometry();
    EXPECT_EQ(place, QRect(view::Scaled(10), view::Scaled(20), view::Scaled(50), view::Scaled(21)));
    EXPECT_TRUE(Widget(code).font().bold());
    EXPECT_EQ(Widget(code).font().pixelSize(), view::Scaled(11));
}

TEST_F(ViewTest, TypedKeysGoThroughTheControlsKeyPathAndTheWidgetShowsTheModel) {
    QTest::mouseClick(&Widget(code), Qt::LeftButton);
    QTest::keyClicks(&Widget(code), "a1b2cde");
    EXPECT_EQ(code.Text(), "ABCD") << "digits filtered, capitals, four at most";
    EXPECT_EQ(static_cast<QLineEdit&>(Widget(code)).text(), QString("ABCD"));
}

TEST_F(ViewTest, ARefusedExitKeepsTheFocusInTheModelAndOnTheScreen) {
    QTest::mouseClick(&Widget(name), Qt::LeftButton);
    ASSERT_TRUE(name.Focused());
    refuseExit = true;
    QTest::mouseClick(&Widget(code), Qt::LeftButton);
    EXPECT_TRUE(name.Focused());
    EXPECT_EQ(view->window()->focusWidget(), &Widget(name));
    refuseExit = false;
    QTest::keyClick(&Widget(name), Qt::Key_Tab);
    EXPECT_TRUE(box.Focused()) << "Tab follows the form's tab order";
}

TEST_F(ViewTest, ClicksAreTheControlsClicksAndADisabledControlIgnoresThem) {
    QTest::mouseClick(&Widget(box), Qt::LeftButton);
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(static_cast<QCheckBox&>(Widget(box)).isChecked());
    auto& speed = view->ViewOf(button)->Widget();
    QTest::mouseClick(&speed, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    button.SetEnabled(false);
    view->ModelChanged();
    QTest::mouseClick(&speed, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
