#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/controls/btn_pesquisa.h"
#include "host/data/data_source.h"
#include "host/ui/edit.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "support/packet_dataset.h"
#include "test_form.h"

namespace {

using hostfw::TBtnPesquisa;
using hostfw::TObject;
namespace UserActions = hostfw::UserActions;

class SearchButton : public testsupport::FakeUiTest {
protected:
    SearchButton() {
        button.SetTitle("Filial");
        button.SetEmptyError("Não há filial cadastrada.");
        button.SetDataSource(&source);
        button.OnBeforePesq = [this](TObject*, bool&) { steps.push_back("before"); };
        button.OnAfterPesq = [this](TObject*) {
            steps.push_back("after " + rows->FieldByName("CDFILIAL").AsString());
        };
        form.Show();
    }

    void Load(const std::vector<std::vector<std::string>>& data) {
        rows = testsupport::MakeDataSet({"CDFILIAL", "NMFILIAL"}, data);
        source.SetDataSet(rows.get());
    }

    uitest::TestForm form{Owner()};
    hostfw::TEdit& edit = form.Add<hostfw::TEdit>("edtCdFilial", nullptr, 0);
    TBtnPesquisa& button = form.Add<TBtnPesquisa>("btpFilial");
    hostfw::TDataSource source{Owner()};
    std::unique_ptr<hostfw::TClientDataSet> rows;
    std::vector<std::string> steps;
};

TEST_F(SearchButton, ChosenRowIsCurrentWhenAfterSearchRuns) {
    Load({{"0001", "Matriz"}, {"0002", "Campinas"}, {"0003", "Curitiba"}});
    ui.searchAnswers.push_back(1);
    UserActions::Click(button);
    EXPECT_EQ(steps, (std::vector<std::string>{"before", "after 0002"}));
    ASSERT_EQ(ui.searchRequests.size(), 1u);
    EXPECT_EQ(ui.searchRequests[0].title, "Filial");
    EXPECT_EQ(ui.searchRequests[0].keys, (std::vector<std::string>{"0001", "0002", "0003"}));
    EXPECT_EQ(ui.searchRequests[0].rows[2][1], "Curitiba");
}

TEST_F(SearchButton, CancellingRunsNothingMore) {
    Load({{"0001", "Matriz"}, {"0002", "Campinas"}});
    ui.searchAnswers.push_back(std::nullopt);
    UserActions::Click(button);
    EXPECT_EQ(steps, (std::vector<std::string>{"before"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SearchButton, NoRowsShowsTheEmptyErrorAndOpensNoSearch) {
    Load({});
    UserActions::Click(button);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Não há filial cadastrada."}));
    EXPECT_TRUE(ui.searchRequests.empty());
    EXPECT_EQ(steps, (std::vector<std::string>{"before"}));
}

TEST_F(SearchButton, OnClickReplacesTheBuiltInSearch) {
    Load({{"0001", "Matriz"}});
    button.OnClick = [this](TObject*) { steps.push_back("click"); };
    UserActions::Click(button);
    EXPECT_EQ(steps, (std::vector<std::string>{"click"}));
    EXPECT_TRUE(ui.searchRequests.empty());
}

TEST_F(SearchButton, DisabledButtonIgnoresClicks) {
    Load({{"0001", "Matriz"}});
    button.OnClick = [this](TObject*) { steps.push_back("click"); };
    button.SetEnabled(false);
    UserActions::Click(button);
    button.OnClick = nullptr;
    UserActions::Click(button);
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(ui.searchRequests.empty());
}

TEST_F(SearchButton, ClickingRunsNoExitOfTheFocusedControl) {
    Load({{"0001", "Matriz"}});
    int exits = 0;
    edit.OnExit = [&](TObject*) { ++exits; };
    UserActions::Focus(edit);
    ui.searchAnswers.push_back(0);
    UserActions::Click(button);
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(edit.Focused());
    EXPECT_EQ(steps.back(), "after 0001");
}

TEST_F(SearchButton, BeforeSearchMayCancelTheSearch) {
    Load({{"0001", "Matriz"}});
    button.OnBeforePesq = [](TObject*, bool& go) { go = false; };
    UserActions::Click(button);
    EXPECT_TRUE(ui.searchRequests.empty());
}

TEST_F(SearchButton, AnAnswerOutsideTheRowsChangesNothing) {
    Load({{"0001", "Matriz"}, {"0002", "Campinas"}});
    ui.searchAnswers.push_back(7);
    UserActions::Click(button);
    EXPECT_EQ(steps, (std::vector<std::string>{"before"}));
    EXPECT_EQ(rows->RecNo(), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
