// Signing in to a shared PostgreSQL database: the prompt, the three-refusal stop and the audit
// of each attempt.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"
#include "session/sign_in.h"
#include "support/failure_of.h"
#include "support/shared_use_database.h"

namespace {

using testsupport::SharedUseDatabase;

class PgSignIn : public testsupport::SharedUseTest {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        maria = database->AddPerson("maria", "0001", true);
        // The connection names the person; the password is what the prompt answers.
        context.Session().database = database->TcpConnection() + " user=" + maria;
    }
    void TearDown() override { context.Database().Close(); }

    // A prompt that answers these passwords in turn, then gives up; what it was told is kept.
    host::CredentialsPrompt Answering(std::vector<std::string> passwords) {
        return [this, passwords](const std::string& failure) -> std::optional<hostfw::Credentials> {
            told.push_back(failure);
            if (told.size() > passwords.size())
                return std::nullopt;
            return hostfw::Credentials{std::string(), passwords[told.size() - 1]};
        };
    }

    // EVENTO|PARAMETROS of the person's audit rows, oldest first.
    std::vector<std::string> AuditOf(const std::string& login) {
        hostfw::TParams params;
        params.CreateParam("PESSOA").SetAsString(login);
        const auto rows = database->admin->Query(
            "SELECT EVENTO, PARAMETROS FROM AUDITORIA WHERE PESSOA = :PESSOA ORDER BY MOMENTO, "
            "EVENTO DESC",
            params);
        std::vector<std::string> seen;
        while (rows->Next())
            seen.push_back(rows->Value(0).AsString() + "|" + rows->Value(1).AsString());
        return seen;
    }

    hostfw::HostContext context;
    std::string maria;
    std::vector<std::string> told;
};

TEST_F(PgSignIn, ThreeRefusedPasswordsOpenNothing) {
    const std::string failure = testsupport::FailureOf([&] {
        host::SignIn(context, Answering({"errada", "errada", "errada", "nunca usada"}));
    });
    EXPECT_EQ(failure, "A entrada foi recusada 3 vezes; nada foi aberto.");
    EXPECT_EQ(told, (std::vector<std::string>{"", "Usuário ou senha incorretos.",
                                              "Usuário ou senha incorretos."}));
    EXPECT_FALSE(context.Session().person.has_value());
}

TEST_F(PgSignIn, EmptyAnswersCountAsRefusalsAndGivingUpIsClear) {
    EXPECT_EQ(testsupport::FailureOf([&] {
                  host::SignIn(context, Answering({"", "", ""}));
              }),
              "A entrada foi recusada 3 vezes; nada foi aberto.");
    told.clear();
    EXPECT_EQ(testsupport::FailureOf([&] { host::SignIn(context, Answering({"errada"})); }),
              "Usuário ou senha incorretos. Entrada cancelada.");
}

TEST_F(PgSignIn, TheAcceptedPasswordBindsTheSessionAndEveryAttemptIsAudited) {
    context.Session().filiProc = "0002";
    host::SignIn(context, Answering({"errada", SharedUseDatabase::Password(maria)}));
    ASSERT_TRUE(context.Session().person.has_value());
    EXPECT_EQ(context.Session().person->login, maria);
    EXPECT_EQ(hostfw::FiliProc(context.Session()), "0001")
        << "the home branch, whatever the options said";
    EXPECT_TRUE(hostfw::ModuFili(context.Session()));
    EXPECT_EQ(AuditOf(maria),
              (std::vector<std::string>{"entrada-recusada|tentativa 1", "entrada|"}));

    // The shared database is the person's own connection: row-level security applies to it.
    const auto rows = context.Database().Open()->Query(
        "SELECT DISTINCT CDFILIAL FROM NOTAFISCAL ORDER BY CDFILIAL", hostfw::TParams());
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).AsString(), "0001");
    EXPECT_FALSE(rows->Next());
    if (std::getenv("EXP036_PG_CA") != nullptr) {
        const auto tls = context.Database().Open()->Query(
            "SELECT CASE WHEN ssl THEN 1 ELSE 0 END FROM pg_stat_ssl WHERE pid = pg_backend_pid()",
            hostfw::TParams());
        ASSERT_TRUE(tls->Next());
        EXPECT_EQ(tls->Value(0).AsInteger(), 1) << "verified TLS to the database";
    }
    EXPECT_THROW(context.Database().Open()->Execute("DELETE FROM AUDITORIA", hostfw::TParams()),
                 hostfw::Exception)
        << "nobody removes an audit row";
}

}  // namespace
