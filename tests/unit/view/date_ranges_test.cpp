#include <gtest/gtest.h>

#include <QMenu>
#include <QToolButton>

#include "host/controls/date_edit_plus.h"
#include "host/core/exception.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/date_ranges.h"
#include "host/view/form_view.h"
#include "support/fake_host_ui.h"
#include "unit/ui/test_form.h"

namespace {

using hostfw::view::DateRangesFrom;
using hostfw::view::DateText;

std::vector<QString> RangesOf(int year, int month, int day) {
    std::vector<QString> texts;
    for (const auto& range : DateRangesFrom(hostfw::EncodeDate(year, month, day)))
        texts.push_back(range.name + ": " + DateText(range.first) + "-" + DateText(range.last));
    return texts;
}

TEST(DateRanges, TheMenuShowsTheSharedRulesAsCalendarDays) {
    EXPECT_EQ(RangesOf(2026, 1, 7),  // a Wednesday
              (std::vector<QString>{
                  "Hoje: 07/01/2026-07/01/2026", "Ontem: 06/01/2026-06/01/2026",
                  "Esta semana: 04/01/2026-10/01/2026", "Este mês: 01/01/2026-31/01/2026",
                  "Mês anterior: 01/12/2025-31/12/2025", "Este ano: 01/01/2026-31/12/2026",
                  "Últimos 30 dias: 09/12/2025-07/01/2026"}));
    EXPECT_EQ(RangesOf(2024, 3, 3)[2], "Esta semana: 03/03/2024-09/03/2024")
        << "on a Sunday the week starts that day";
    EXPECT_EQ(RangesOf(2024, 3, 31)[4], "Mês anterior: 01/02/2024-29/02/2024");
}

// The form's date pair in a group, the first one's exit refused on demand.
class DateRangeMenu : public testsupport::FakeUiTest {
protected:
    DateRangeMenu() {
        for (hostfw::TDateEditPlus* date : {&first, &second}) {
            date->SetWidth(88);
            date->SetHeight(21);
        }
        first.SetText("10/10/2020");
        second.SetText("20/10/2020");
        first.OnExit = [this](hostfw::TObject*) {
            if (refuseExit)
                hostfw::Abort();
        };
        form.Show();
        view = std::make_unique<hostfw::view::FormView>(form);
        view->show();
    }
    ~DateRangeMenu() override {
        view.reset();
        form.Hide();
    }

    // Chooses a range from the menu of the first date's button.
    void Choose(const QString& name) {
        auto* button = view->findChild<QToolButton*>("depInicial_calendario");
        ASSERT_NE(button, nullptr);
        for (QAction* action : button->menu()->actions()) {
            if (action->text() == name)
                action->trigger();
        }
    }

    uitest::TestForm form{Owner()};
    hostfw::TGroupBox& group = form.Add<hostfw::TGroupBox>("grbDatas", nullptr, 0);
    hostfw::TDateEditPlus& first = form.Add<hostfw::TDateEditPlus>("depInicial", &group, 0);
    hostfw::TDateEditPlus& second = form.Add<hostfw::TDateEditPlus>("depFinal", &group, 1);
    std::unique_ptr<hostfw::view::FormView> view;
    bool refuseExit = false;
};

TEST_F(DateRangeMenu, ARangeIsTypedIntoBothDatesAndARefusedFirstKeepsTheSecond) {
    const QDate today = QDate::currentDate();
    Choose("Hoje");
    EXPECT_EQ(first.Text(), DateText(today).toStdString());
    EXPECT_EQ(second.Text(), DateText(today).toStdString());
    EXPECT_TRUE(second.Focused()) << "typed in as a person would, through the focus";

    hostfw::UserActions::Focus(first);
    refuseExit = true;
    Choose("Ontem");
    EXPECT_EQ(first.Text(), DateText(today.addDays(-1)).toStdString());
    EXPECT_EQ(second.Text(), DateText(today).toStdString()) << "the first date's exit refused";
    EXPECT_TRUE(first.Focused());
}

}  // namespace
