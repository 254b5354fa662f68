#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "admin_options.h"
#include "db/demo_data.h"
#include "host/core/exception.h"
#include "host/data/audit_trail.h"
#include "host/data/engine.h"
#include "host/data/person_record.h"
#include "host/data/saved_choices.h"
#include "host/data/sign_in_refused.h"
#include "shared_use_setup.h"
#include "support/branch_rule_checks.h"
#include "support/failure_of.h"
#include "support/saved_choice_checks.h"
#include "support/shared_use_database.h"
#include "user_commands.h"

namespace {

using hostfw::Engine;
using hostfw::TParams;
using testsupport::BranchesSeen;
using testsupport::FailureOf;

// Each test on its own shared-use schema of the server EXP036_PG_URL names.
class PgSharedUse : public testsupport::SharedUseTest {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        admin = database->admin;
    }

    std::string AddPerson(const std::string& name, const std::string& branch, bool bound) {
        return database->AddPerson(name, branch, bound);
    }
    std::string TcpConnection() const { return database->TcpConnection(); }
    std::shared_ptr<Engine> SignIn(const std::string& login,
                                   const std::string& password = std::string()) {
        return database->SignIn(login, password);
    }

    std::shared_ptr<Engine> admin;
};

TEST_F(PgSharedUse, SetupAgainChangesNothingAndAPersonIsALoginRoleWithAScramPassword) {
    admin::SetUpSharedUse(*admin);
    const std::string maria = AddPerson("maria", "0001", true);
    TParams login;
    login.CreateParam("LOGIN").SetAsString(maria);
    // Stored as SCRAM, never as clear text; a member of the people's group.
    const auto role = admin->Query(
        "SELECT count(*) FROM pg_authid WHERE rolname = :LOGIN AND rolcanlogin AND "
        "rolpassword LIKE 'SCRAM-SHA-256$%' AND pg_has_role(rolname, 'exp036_pessoas', 'MEMBER')",
        login);
    ASSERT_TRUE(role->Next());
    EXPECT_EQ(role->Value(0).AsInteger(), 1);
    EXPECT_NO_THROW(SignIn(maria));
    EXPECT_THROW(SignIn(maria, "errada"), hostfw::Exception);
}

TEST_F(PgSharedUse, ABoundPersonReadsOnlyTheHomeBranchWhateverTheQueryAsks) {
    testsupport::CheckABoundPersonReadsOnlyTheHomeBranch(
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
}

TEST_F(PgSharedUse, MovingAPersonMovesWhatItReadsAndDisablingEndsItsAccess) {
    const std::string maria = AddPerson("maria", "0001", true);
    admin::AdminCommand move;
    move.login = maria;
    move.branch = "0003";
    admin::SetPersonBranch(*admin, move);
    EXPECT_EQ(BranchesSeen(*SignIn(maria), "NOTAFISCAL"), "0003=1 ") << "still bound";

    admin::DisablePerson(*admin, move);
    EXPECT_NE(FailureOf([&] { SignIn(maria); }).find("not permitted to log in"), std::string::npos);
}

TEST_F(PgSharedUse, PeopleAddAuditRowsInTheirOwnNameAndNobodyChangesThem) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto connection = SignIn(maria);
    TParams row;
    row.CreateParam("PESSOA").SetAsString(maria);
    const char* insert =
        "INSERT INTO AUDITORIA (PESSOA, ORIGEM, EVENTO, OBJETO, RESULTADO) "
        "VALUES (:PESSOA, 'teste', 'relatorio', 'EXP036-1 Consulta', 'ok')";
    EXPECT_EQ(connection->Execute(insert, row), 1);
    row.ParamByName("PESSOA").SetAsString("outra_pessoa");
    EXPECT_THROW(connection->Execute(insert, row), hostfw::Exception) << "forged name";
    EXPECT_THROW(connection->Execute("DELETE FROM AUDITORIA", TParams()), hostfw::Exception);
    EXPECT_THROW(connection->Query("SELECT * FROM AUDITORIA", TParams())->Next(), hostfw::Exception)
        << "people write the audit, they do not read it";
    EXPECT_NE(FailureOf([&] {
                  admin->Execute("UPDATE AUDITORIA SET RESULTADO = 'x'", TParams());
              }).find("só aceita novos registros"),
              std::string::npos)
        << "not even the owner";
    EXPECT_THROW(admin->ExecuteScript("TRUNCATE AUDITORIA"), hostfw::Exception);
}

TEST_F(PgSharedUse, APersonIsNeverMadeOfAnExistingRoleOrAnUnknownBranch) {
    admin::AdminCommand command;
    command.login = "postgres_like";
    command.name = "x";
    command.branch = "9999";
    command.bound = false;
    command.passwordFromStdin = true;
    std::istringstream password("x\n");
    EXPECT_NE(FailureOf([&] {
                  admin::AddPerson(*admin, command, password);
              }).find("Filial não cadastrada"),
              std::string::npos);
    admin->ExecuteScript("DROP ROLE IF EXISTS postgres_like; CREATE ROLE postgres_like");
    command.branch = "0001";
    EXPECT_NE(FailureOf([&] {
                  admin::AddPerson(*admin, command, password);
              }).find("Já existe no PostgreSQL um papel"),
              std::string::npos);
    admin->ExecuteScript("DROP ROLE postgres_like");
}

TEST_F(PgSharedUse, ASignInIsRefusedForAMissingOrWrongPasswordAndNamesWhy) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto refusal = [&](const std::function<void()>& open) {
        try {
            open();
        } catch (const hostfw::SignInRefused& refused) {
            return refused.WhyRefused();
        }
        ADD_FAILURE() << "no refusal";
        return hostfw::SignInRefused::Reason::PasswordNeeded;
    };
    const std::string tcp = TcpConnection();
    EXPECT_EQ(refusal([&] { hostfw::OpenDatabase(tcp + " user=" + maria); }),
              hostfw::SignInRefused::Reason::PasswordNeeded);
    EXPECT_EQ(refusal([&] {
                  hostfw::OpenDatabaseAs(tcp, {maria, "errada"});
              }),
              hostfw::SignInRefused::Reason::NotAccepted);
    const auto engine = hostfw::OpenDatabaseAs(tcp + " user=outro", {maria, "senha-" + maria});
    const std::optional<hostfw::Person> person = hostfw::SignedInPersonRecord(*engine);
    ASSERT_TRUE(person.has_value());
    EXPECT_EQ(person->login, maria) << "the user typed wins over the connection's";
}

TEST_F(PgSharedUse, ThePersonRecordGivesTheBranchAndRefusesWhoIsNoPerson) {
    const std::string maria = AddPerson("maria", "0002", true);
    const std::optional<hostfw::Person> person = hostfw::SignedInPersonRecord(*SignIn(maria));
    ASSERT_TRUE(person.has_value());
    EXPECT_EQ(person->name, "maria");
    EXPECT_EQ(person->homeBranch, "0002");
    EXPECT_TRUE(person->bound);
    EXPECT_NE(FailureOf([&] {
                  hostfw::SignedInPersonRecord(*admin);
              }).find("não é de uma pessoa cadastrada"),
              std::string::npos)
        << "the administrator is no person of the branches";
}

TEST_F(PgSharedUse, SavedChoicesAreOwnOrSharedInTheHomeBranchAndNobodyWritesAnothers) {
    testsupport::CheckChoicesAreOwnOrSharedInTheHomeBranch(
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
}

TEST_F(PgSharedUse, OnlyTheOwnerRenamesSharesOrDeletesASavedChoiceWhateverSqlAColleagueRuns) {
    const std::string ana = AddPerson("ana", "0001", false);
    const std::string bia = AddPerson("bia", "0001", false);
    const auto asAna = SignIn(ana);
    hostfw::SaveChoice(*asAna, {ana, "0001"}, "EXP036", "mensal", true, "{}");

    const auto asBia = SignIn(bia);
    TParams named;
    named.CreateParam("NOME").SetAsString("mensal");
    EXPECT_EQ(asBia->Execute("UPDATE CONSULTA_SALVA SET NOME = 'da bia' WHERE NOME = :NOME", named),
              0);
    EXPECT_EQ(asBia->Execute("UPDATE CONSULTA_SALVA SET COMPARTILHADA = 0", TParams()), 0);
    EXPECT_EQ(asBia->Execute("DELETE FROM CONSULTA_SALVA WHERE NOME = :NOME", named), 0);
    EXPECT_THROW(asBia->Execute("UPDATE CONSULTA_SALVA SET PESSOA = current_user", TParams()),
                 hostfw::Exception)
        << "nobody writes whose a choice is";
    EXPECT_NE(FailureOf([&] {
                  hostfw::DeleteChoice(*asBia, {bia, "0001"}, "EXP036", "mensal");
              }).find("só quem a salvou"),
              std::string::npos);
    EXPECT_EQ(FailureOf([&] {
                  hostfw::RenameChoice(*asBia, {ana, "0001"}, "EXP036", "mensal", "da bia");
              }),
              "Não há consulta salva com o nome \"mensal\".")
        << "a host that takes her for the owner still changes nothing: the database refuses";
    const auto seen = hostfw::FindChoice(*admin, {ana, "0001"}, "EXP036", "mensal");
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->shared);

    hostfw::RenameChoice(*asAna, {ana, "0001"}, "EXP036", "mensal", "Fechamento");
    hostfw::ShareChoice(*asAna, {ana, "0001"}, "EXP036", "Fechamento", false);
    EXPECT_TRUE(hostfw::ListChoices(*asBia, {bia, "0001"}, "EXP036").empty());
    hostfw::DeleteChoice(*asAna, {ana, "0001"}, "EXP036", "Fechamento");
    EXPECT_TRUE(hostfw::ListChoices(*asAna, {ana, "0001"}, "EXP036").empty());
}

// A person's rows are what the host writes, nothing else: a call as the server would record it,
// an outcome the host never gives, an origin that is no machine's name or a text past its bound
// are refused by the database, whatever client sends them.
TEST_F(PgSharedUse, APersonAddsToTheAuditOnlyWhatTheHostWritesAndWithinBounds) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto connection = SignIn(maria);
    const auto refusal = [&](const std::string& origin, const std::string& event,
                             const std::string& object, const std::string& parameters,
                             const std::string& outcome) {
        TParams row;
        for (const auto& [name, value] : {std::pair{"PESSOA", maria},
                                          {"ORIGEM", origin},
                                          {"EVENTO", event},
                                          {"OBJETO", object},
                                          {"PARAMETROS", parameters},
                                          {"RESULTADO", outcome}})
            row.CreateParam(name).SetAsString(value);
        return FailureOf([&] {
            connection->Execute(
                "INSERT INTO AUDITORIA (PESSOA, ORIGEM, EVENTO, OBJETO, PARAMETROS, "
                "RESULTADO) VALUES (:PESSOA, :ORIGEM, :EVENTO, :OBJETO, "
                ":PARAMETROS, :RESULTADO)",
                row);
        });
    };
    const std::string report = "EXP036-1 Consulta";
    EXPECT_NE(refusal("10.0.0.9", "chamada", "exp03600.rdmRelConsLanc/GetNota", "", "ok")
                  .find("A auditoria recusou o registro"),
              std::string::npos)
        << "a call as the server records it";
    EXPECT_NE(refusal("pc-maria", "relatorio", report, "", "tudo certo, confie").find("recusou"),
              std::string::npos);
    EXPECT_NE(refusal("10.0.0.9 (servidor)", "relatorio", report, "", "ok").find("recusou"),
              std::string::npos);
    EXPECT_NE(refusal("pc-maria", "entrada", "exp036-host", "", "falhou").find("recusou"),
              std::string::npos);
    EXPECT_NE(refusal("pc-maria", "relatorio", report, std::string(8001, 'x'), "ok"),
              "(nenhuma falha)")
        << "a text past its bound";
    EXPECT_EQ(refusal("pc-maria", "relatorio", report, std::string(8000, 'x'), "ok"),
              "(nenhuma falha)");

    // What the host writes passes, a text too long for its column cut to it.
    hostfw::RecordAudit(*connection, {maria, "pc-maria", hostfw::kAuditSignIn, "exp036-host", "",
                                      std::nullopt, std::nullopt, "", "ok"});
    hostfw::RecordAudit(
        *connection, {maria, "pc-maria", hostfw::kAuditSignInRefused, "exp036-host", "tentativa 1",
                      std::nullopt, std::nullopt, "", "Usuário ou senha incorretos."});
    hostfw::RecordAudit(
        *connection, {maria, "pc-maria", hostfw::kAuditReport, report, std::string(20000, 'p'), 3,
                      12, "csv /tmp/r.csv", "falha: " + std::string(5000, 'f')});
    EXPECT_EQ(database->AuditCount(maria, "relatorio", std::string(8000, 'p')), 1);
}

// A person cannot fill the disk with the audit: past 60 rows a minute the database refuses more.
TEST_F(PgSharedUse, APersonsAuditRowsAreLimitedPerMinute) {
    const std::string maria = AddPerson("maria", "0001", true);
    const auto connection = SignIn(maria);
    const hostfw::AuditEvent run{
        maria, "pc-maria", hostfw::kAuditReport, "EXP036-1 Consulta", "", 0, 1, "", "ok"};
    for (int i = 0; i < 60; ++i)
        hostfw::RecordAudit(*connection, run);
    EXPECT_NE(FailureOf([&] { hostfw::RecordAudit(*connection, run); }).find("registros demais"),
              std::string::npos);
    EXPECT_EQ(database->AuditCount(maria, "relatorio"), 60);
}

// Functions that act outside a report's read-only transaction are no person's to run: dblink
// (installed here as Debian's PostgreSQL ships it) and the large objects.
TEST_F(PgSharedUse, APersonRunsNoFunctionThatActsOutsideTheTransaction) {
    admin->ExecuteScript("CREATE EXTENSION IF NOT EXISTS dblink SCHEMA " + database->Schema());
    EXPECT_EQ(admin::SetUpSharedUse(*admin), std::vector<std::string>{})
        << "run by a superuser, nothing stays open";
    const auto maria = SignIn(AddPerson("maria", "0001", true));
    for (const char* call : {"SELECT dblink_get_connections()",
                             "SELECT dblink_exec('dbname=exp036', 'DELETE FROM CONSULTA_SALVA')",
                             "SELECT lo_from_bytea(0, 'x')", "SELECT lo_unlink(1)"}) {
        EXPECT_NE(FailureOf([&] {
                      maria->Query(call, TParams())->Next();
                  }).find("permission denied for function"),
                  std::string::npos)
            << call;
    }
}

TEST_F(PgSharedUse, RebuildingTheDemonstrationTablesIsRefusedAndKeepsTheRules) {
    testsupport::CheckAForcedRebuildIsRefused(
        *admin,
        [this](const std::string& name, const std::string& branch, bool bound) {
            return AddPerson(name, branch, bound);
        },
        [this](const std::string& login) { return SignIn(login); });
}

}  // namespace
