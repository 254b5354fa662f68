#include "host/data/saved_choices.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "support/failure_of.h"

namespace {

using hostfw::ChoiceOwner;

// Ana and Bia work in branch 0001, Caio in 0002.
class SavedChoices : public ::testing::Test {
protected:
    SavedChoices() { hostfw::CreateSavedChoicesTable(*engine); }

    std::vector<std::string> VisibleTo(const ChoiceOwner& owner) {
        std::vector<std::string> names;
        for (const auto& choice : hostfw::ListChoices(*engine, owner, "EXP036"))
            names.push_back(choice.person + ":" + choice.name);
        return names;
    }

    const ChoiceOwner ana{"ana", "0001"};
    const ChoiceOwner bia{"bia", "0001"};
    const ChoiceOwner caio{"caio", "0002"};
    std::shared_ptr<hostfw::Engine> engine = hostfw::OpenDatabase(":memory:", true);
};

TEST_F(SavedChoices, ASharedChoiceReachesTheBranchAndNoOtherAPrivateOneOnlyItsOwner) {
    hostfw::SaveChoice(*engine, ana, "EXP036", "mensal", true, "{\"period\":\"Mês anterior\"}");
    hostfw::SaveChoice(*engine, ana, "EXP036", "minha", false, "{}");
    EXPECT_EQ(VisibleTo(ana), (std::vector<std::string>{"ana:mensal", "ana:minha"}));
    EXPECT_EQ(VisibleTo(bia), (std::vector<std::string>{"ana:mensal"}));
    EXPECT_TRUE(VisibleTo(caio).empty());
    const auto found = hostfw::FindChoice(*engine, bia, "EXP036", "mensal");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->choices, "{\"period\":\"Mês anterior\"}");
    EXPECT_FALSE(hostfw::FindChoice(*engine, caio, "EXP036", "mensal"));
    EXPECT_FALSE(hostfw::FindChoice(*engine, bia, "EXP036", "minha"));
    EXPECT_FALSE(hostfw::FindChoice(*engine, ana, "EXP099", "mensal")) << "another report";
}

TEST_F(SavedChoices, OwnChoicesComeBeforeAColleaguesOfTheSameName) {
    hostfw::SaveChoice(*engine, ana, "EXP036", "mensal", true, "da ana");
    hostfw::SaveChoice(*engine, bia, "EXP036", "mensal", false, "da bia");
    EXPECT_EQ(hostfw::FindChoice(*engine, bia, "EXP036", "mensal")->choices, "da bia");
    EXPECT_EQ(hostfw::FindChoice(*engine, ana, "EXP036", "mensal")->choices, "da ana");
}

TEST_F(SavedChoices, ANameIsTheOwnersOnceAndNeverBlank) {
    hostfw::SaveChoice(*engine, ana, "EXP036", "O'Brien; DROP TABLE X", false, "1");
    EXPECT_EQ(testsupport::FailureOf([&] {
                  hostfw::SaveChoice(*engine, ana, "EXP036", "O'Brien; DROP TABLE X", true, "2");
              }),
              "Já existe uma consulta salva com o nome \"O'Brien; DROP TABLE X\". Escolha outro "
              "nome.");
    EXPECT_EQ(hostfw::FindChoice(*engine, ana, "EXP036", "O'Brien; DROP TABLE X")->choices, "1");
    EXPECT_NO_THROW(hostfw::SaveChoice(*engine, bia, "EXP036", "O'Brien; DROP TABLE X", false, "3"))
        << "names are unique per person";
    EXPECT_THROW(hostfw::SaveChoice(*engine, ana, "EXP036", "  ", false, "{}"), hostfw::Exception);
    EXPECT_THROW(hostfw::SaveChoice(*engine, ana, "EXP036", std::string(121, 'a'), false, "{}"),
                 hostfw::Exception);
}

TEST_F(SavedChoices, TheLastQueryIsReplacedAndNeverListedOrShared) {
    EXPECT_FALSE(hostfw::LastQuery(*engine, ana, "EXP036"));
    hostfw::KeepLastQuery(*engine, ana, "EXP036", "primeira");
    hostfw::KeepLastQuery(*engine, ana, "EXP036", "segunda");
    EXPECT_EQ(hostfw::LastQuery(*engine, ana, "EXP036"), "segunda");
    EXPECT_FALSE(hostfw::LastQuery(*engine, bia, "EXP036"));
    EXPECT_TRUE(VisibleTo(ana).empty());
}

}  // namespace
