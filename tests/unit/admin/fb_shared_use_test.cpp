#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "host/data/audit_trail.h"
#include "host/data/engine.h"
#include "host/data/person_record.h"
#include "host/data/saved_choices.h"
#include "host/data/sign_in_refused.h"
#include "shared_use_setup.h"
#include "support/branch_rule_checks.h"
#include "support/failure_of.h"
#include "support/fb_shared_use_database.h"
#include "support/saved_choice_checks.h"
#include "user_commands.h"

namespace {

using hostfw::Engine;
using hostfw::TParams;
using testsupport::BranchesSeen;
using testsupport::FailureOf;

// Each test on a shared-use database of its own on the throw-away Firebird server.
class FbServerSharedUse : public testsupport::FbSharedUseTest {
protected:
    std::string AddPerson(const std::string& name, const std::string& branch, bool bound) {
        return database->AddPerson(name, branch, bound);
    }
    std::shared_ptr<Engine> SignIn(const std::string& login,
                                   const std::string& password = std::string()) {
        return database->SignIn(login, password);
    }
    Engine& Admin() { return *database->admin; }
};

TEST_F(FbServerSharedUse, ABoundPersonReadsOnlyTheHomeBranchAndNoBaseTable) {
    const auto maria = testsupport::CheckABoundPersonReadsOnlyTheHomeBranch(
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
    for (const char* table : {"NOTAFISCAL_BASE", "EXPEDICAO_BASE", "USUARIO"}) {
        EXPECT_NE(FailureOf([&] { BranchesSeen(*maria, table); }).find("no permission"),
                  std::string::npos)
            << table;
    }
    EXPECT_EQ(BranchesSeen(Admin(), "NOTAFISCAL"), "0001=4 0002=2 0003=1 ")
        << "every row moved to the base table, and the administrator reads them all";
}

TEST_F(FbServerSharedUse, SetupAgainChangesNothingAndTheServerChecksThePassword) {
    const std::string maria = AddPerson("maria", "0001", true);
    admin::SetUpSharedUse(Admin());
    EXPECT_EQ(BranchesSeen(*SignIn(maria), "NOTAFISCAL"), "0001=4 ");
    TParams login;
    login.CreateParam("LOGIN").SetAsString(maria);
    const auto user =
        Admin().Query("SELECT TRIM(SEC$PLUGIN) FROM SEC$USERS WHERE SEC$USER_NAME = :LOGIN", login);
    ASSERT_TRUE(user->Next());
    EXPECT_EQ(user->Value(0).AsString(), "Srp");
    try {
        SignIn(maria, "errada");
        ADD_FAILURE() << "a wrong password let her in";
    } catch (const hostfw::SignInRefused& refused) {
        EXPECT_EQ(refused.WhyRefused(), hostfw::SignInRefused::Reason::NotAccepted);
    }
    const auto person = hostfw::SignedInPersonRecord(*SignIn(maria));
    ASSERT_TRUE(person.has_value());
    EXPECT_EQ(person->login, maria);
    EXPECT_EQ(person->homeBranch, "0001");
    EXPECT_TRUE(person->bound);
    EXPECT_NE(FailureOf([&] {
                  hostfw::SignedInPersonRecord(Admin());
              }).find("não é de uma pessoa cadastrada"),
              std::string::npos)
        << "the administrator is no person of the branches";
}

TEST_F(FbServerSharedUse, MovingAPersonMovesWhatItReadsAndDisablingEndsItsAccess) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto before = SignIn(maria);
    admin::AdminCommand move;
    move.login = maria;
    move.branch = "0003";
    admin::SetPersonBranch(Admin(), move);
    EXPECT_EQ(BranchesSeen(*SignIn(maria), "NOTAFISCAL"), "0003=1 ") << "still bound";

    admin::DisablePerson(Admin(), move);
    EXPECT_THROW(SignIn(maria), hostfw::SignInRefused);
    EXPECT_THROW(BranchesSeen(*before, "NOTAFISCAL"), hostfw::Exception)
        << "her open connection was ended";
}

TEST_F(FbServerSharedUse, ThePasswordNeverMakesAPersonOfAnExistingUser) {
    admin::AdminCommand command;
    command.database = database->Connection();
    command.login = "sysdba";
    command.name = "x";
    command.branch = "0001";
    command.bound = false;
    command.passwordFromStdin = true;
    std::istringstream password("x\n");
    EXPECT_NE(FailureOf([&] {
                  admin::AddPerson(Admin(), command, password);
              }).find("Já existe no Firebird um usuário"),
              std::string::npos);
}

TEST_F(FbServerSharedUse, PeopleAddWhatTheHostWritesToTheAuditAndNobodyChangesIt) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto connection = SignIn(maria);
    const hostfw::AuditEvent run{
        maria, "pc-maria", hostfw::kAuditReport, "EXP036-1 Consulta", "", 0, 1, "", "ok"};
    hostfw::RecordAudit(*connection, run);
    hostfw::AuditEvent forged = run;
    forged.person = "SYSDBA";
    EXPECT_NE(FailureOf([&] { hostfw::RecordAudit(*connection, forged); }).find("recusou"),
              std::string::npos)
        << "a row in another's name";
    hostfw::AuditEvent call = run;
    call.event = "chamada";
    EXPECT_NE(FailureOf([&] { hostfw::RecordAudit(*connection, call); }).find("recusou"),
              std::string::npos)
        << "a call as the server records it";
    hostfw::AuditEvent spaced = run;
    spaced.origin = "10.0.0.9 (servidor)";
    EXPECT_NE(FailureOf([&] { hostfw::RecordAudit(*connection, spaced); }).find("recusou"),
              std::string::npos);
    EXPECT_THROW(connection->Query("SELECT * FROM AUDITORIA", TParams())->Next(), hostfw::Exception)
        << "people write the audit, they do not read it";
    for (const char* change : {"UPDATE AUDITORIA SET RESULTADO = 'x'", "DELETE FROM AUDITORIA"}) {
        EXPECT_NE(FailureOf([&] {
                      Admin().Execute(change, TParams());
                  }).find("só aceita novos registros"),
                  std::string::npos)
            << change << ": not even the administrator";
    }
    // Past 60 rows a minute the database refuses more.
    for (int i = 1; i < 60; ++i)
        hostfw::RecordAudit(*connection, run);
    EXPECT_NE(FailureOf([&] { hostfw::RecordAudit(*connection, run); }).find("registros demais"),
              std::string::npos);
}

TEST_F(FbServerSharedUse, SavedChoicesAreOwnOrSharedInTheHomeBranchAndNobodyWritesAnothers) {
    const auto [ana, bia] = testsupport::CheckChoicesAreOwnOrSharedInTheHomeBranch(
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
    // A colleague sees Ana's shared choice through the view, and its triggers refuse her any
    // change of it.
    const auto asBia = SignIn(bia);
    TParams named;
    named.CreateParam("NOME").SetAsString("mensal");
    EXPECT_NE(FailureOf([&] {
                  asBia->Execute("UPDATE CONSULTA_SALVA SET NOME = 'da bia' WHERE NOME = :NOME",
                                 named);
              }).find("Só quem salvou uma consulta a altera"),
              std::string::npos);
    EXPECT_NE(FailureOf([&] {
                  asBia->Execute("DELETE FROM CONSULTA_SALVA WHERE NOME = :NOME", named);
              }).find("Só quem salvou uma consulta a exclui"),
              std::string::npos);

    const auto asAna = SignIn(ana);
    hostfw::RenameChoice(*asAna, {ana, "0001"}, "EXP036", "mensal", "Fechamento");
    EXPECT_TRUE(hostfw::FindChoice(*asBia, {bia, "0001"}, "EXP036", "Fechamento"));
    hostfw::DeleteChoice(*asAna, {ana, "0001"}, "EXP036", "Fechamento");
    EXPECT_FALSE(hostfw::FindChoice(*asBia, {bia, "0001"}, "EXP036", "Fechamento"));
}

TEST(FbSharedUseSetup, AnEmbeddedFileIsNoPlaceForSharedUse) {
    testsupport::FirebirdTestDatabase file(testsupport::FirebirdPlace::Embedded);
    const auto engine = hostfw::OpenDatabase(file.Connection());
    demodb::BuildTestDatabase(*engine);
    EXPECT_NE(FailureOf([&] { admin::SetUpSharedUse(*engine); }).find("pede um servidor"),
              std::string::npos);
}

TEST_F(FbServerSharedUse, RebuildingTheDemonstrationTablesIsRefusedAndKeepsTheRules) {
    testsupport::CheckAForcedRebuildIsRefused(
        Admin(),
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
}

}  // namespace
