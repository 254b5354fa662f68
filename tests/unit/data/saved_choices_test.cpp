#include "host/data/saved_choices.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "support/failure_of.h"

namespace {

using hostfw::ChoiceOwner;
using testsupport::FailureOf;

// Ana and Bia work in branch 0001, Caio in 0002.
class SavedChoices : public ::testing::Test {
protected:
    SavedChoices() { hostfw::CreateSavedChoicesTable(*engine); }

    std::vector<std::string> VisibleTo(const ChoiceOwner& owner) {
        std::vector<std::string> names;
        for (const auto& choice : hostfw::ListChoices(*engine, owner, "EXP036"))
            names.push_back(choice.person + ":" + choice.name + (choice.shared ? "*" : ""));
        return names;
    }

    void Save(const ChoiceOwner& owner, const std::string& name, bool shared,
              const std::string& choices = "{}") {
        hostfw::SaveChoice(*engine, owner, "EXP036", name, shared, choices);
    }

    const ChoiceOwner ana{"ana", "0001"};
    const ChoiceOwner bia{"bia", "0001"};
    const ChoiceOwner caio{"caio", "0002"};
    std::shared_ptr<hostfw::Engine> engine = hostfw::OpenDatabase(":memory:", true);
};

TEST_F(SavedChoices, ASharedChoiceReachesTheBranchAndNoOtherAPrivateOneOnlyItsOwner) {
    hostfw::SaveChoice(*engine, ana, "EXP036", "mensal", true, "{\"period\":\"Mês anterior\"}");
    hostfw::SaveChoice(*engine, ana, "EXP036", "minha", false, "{}");
    EXPECT_EQ(VisibleTo(ana), (std::vector<std::string>{"ana:mensal*", "ana:minha"}));
    EXPECT_EQ(VisibleTo(bia), (std::vector<std::string>{"ana:mensal*"}));
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
    EXPECT_EQ(FailureOf([&] {
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

TEST_F(SavedChoices, TheOwnerRenamesKeepingTheChoiceAndANameTakenOrMissingChangesNothing) {
    Save(ana, "mensal", true, "do mês");
    Save(ana, "anual", false, "do ano");
    const auto renamed = hostfw::RenameChoice(*engine, ana, "EXP036", "mensal", "Fechamento");
    EXPECT_EQ(renamed.name, "Fechamento");
    EXPECT_TRUE(renamed.shared);
    EXPECT_EQ(VisibleTo(bia), (std::vector<std::string>{"ana:Fechamento*"}));
    EXPECT_EQ(hostfw::FindChoice(*engine, bia, "EXP036", "Fechamento")->choices, "do mês");

    EXPECT_EQ(
        FailureOf([&] { hostfw::RenameChoice(*engine, ana, "EXP036", "anual", "Fechamento"); }),
        "Já existe uma consulta salva com o nome \"Fechamento\". Escolha outro nome.");
    EXPECT_EQ(FailureOf([&] { hostfw::RenameChoice(*engine, ana, "EXP036", "mensal", "outro"); }),
              "Não há consulta salva com o nome \"mensal\".");
    EXPECT_EQ(FailureOf([&] { hostfw::RenameChoice(*engine, ana, "EXP036", "anual", " \t"); }),
              "Informe um nome para a consulta salva.");
    EXPECT_THROW(hostfw::RenameChoice(*engine, ana, "EXP036", "anual", std::string(121, 'x')),
                 hostfw::Exception);
    EXPECT_EQ(hostfw::RenameChoice(*engine, ana, "EXP036", "anual", "anual").choices, "do ano")
        << "its own name is no clash";
    EXPECT_EQ(VisibleTo(ana), (std::vector<std::string>{"ana:Fechamento*", "ana:anual"}));
}

TEST_F(SavedChoices, SharingAndMakingPrivateMoveWhoSeesItAndDeletingRemovesOnlyThatChoice) {
    Save(ana, "mensal", false);
    Save(ana, "anual", false);
    EXPECT_TRUE(hostfw::ShareChoice(*engine, ana, "EXP036", "mensal", true).shared);
    EXPECT_EQ(VisibleTo(bia), (std::vector<std::string>{"ana:mensal*"}));
    EXPECT_FALSE(hostfw::ShareChoice(*engine, ana, "EXP036", "mensal", false).shared);
    EXPECT_TRUE(VisibleTo(bia).empty());

    hostfw::KeepLastQuery(*engine, ana, "EXP036", "última");
    EXPECT_EQ(hostfw::DeleteChoice(*engine, ana, "EXP036", "mensal").name, "mensal");
    EXPECT_EQ(VisibleTo(ana), (std::vector<std::string>{"ana:anual"}));
    EXPECT_EQ(hostfw::LastQuery(*engine, ana, "EXP036"), "última");
    EXPECT_EQ(FailureOf([&] { hostfw::DeleteChoice(*engine, ana, "EXP036", "mensal"); }),
              "Não há consulta salva com o nome \"mensal\".");
    EXPECT_THROW(hostfw::DeleteChoice(*engine, ana, "EXP036", ""), hostfw::Exception)
        << "the last query is kept as a nameless row, out of reach of the choices' commands";
    EXPECT_EQ(hostfw::LastQuery(*engine, ana, "EXP036"), "última");
}

TEST_F(SavedChoices, AColleaguesSharedChoiceIsAppliedButNeverChangedByAnyoneElse) {
    Save(ana, "mensal", true, "da ana");
    const std::string refused =
        "A consulta salva \"mensal\" é de ana: só quem a salvou pode renomeá-la, excluí-la ou "
        "mudar quem a vê.";
    EXPECT_EQ(FailureOf([&] { hostfw::RenameChoice(*engine, bia, "EXP036", "mensal", "minha"); }),
              refused);
    EXPECT_EQ(FailureOf([&] { hostfw::DeleteChoice(*engine, bia, "EXP036", "mensal"); }), refused);
    EXPECT_EQ(FailureOf([&] { hostfw::ShareChoice(*engine, bia, "EXP036", "mensal", false); }),
              refused);
    EXPECT_EQ(FailureOf([&] { hostfw::DeleteChoice(*engine, caio, "EXP036", "mensal"); }),
              "Não há consulta salva com o nome \"mensal\".")
        << "another branch does not even see it";
    EXPECT_EQ(VisibleTo(bia), (std::vector<std::string>{"ana:mensal*"}));
    EXPECT_EQ(hostfw::UsableChoice(*engine, bia, "EXP036", "mensal").choices, "da ana");

    Save(bia, "mensal", false, "da bia");
    EXPECT_EQ(hostfw::DeleteChoice(*engine, bia, "EXP036", "mensal").choices, "da bia")
        << "her own choice of the same name is the one she changes";
    EXPECT_EQ(VisibleTo(ana), (std::vector<std::string>{"ana:mensal*"}));
}

}  // namespace
