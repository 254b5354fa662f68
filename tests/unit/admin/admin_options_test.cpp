#include "admin_options.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "support/failure_of.h"

namespace {

using admin::AdminCommand;
using admin::ParseAdminCommand;
using testsupport::FailureOf;

std::string Refusal(const std::vector<std::string>& arguments) {
    return FailureOf([&] { ParseAdminCommand(arguments); });
}

TEST(AdminOptions, EachCommandReadsItsOwnWords) {
    const AdminCommand add =
        ParseAdminCommand({"--db", "postgresql://a@b/c", "user", "add", "maria", "--name",
                           "Maria Souza", "--branch", "0001", "--bound", "--password-stdin"});
    EXPECT_EQ(add.kind, AdminCommand::Kind::UserAdd);
    EXPECT_EQ(add.login, "maria");
    EXPECT_EQ(add.name, "Maria Souza");
    EXPECT_EQ(add.branch, "0001");
    EXPECT_EQ(add.bound, true);
    EXPECT_TRUE(add.passwordFromStdin);
    EXPECT_EQ(
        ParseAdminCommand({"user", "add", "jo", "--name", "J", "--branch", "1", "--db", "x"}).bound,
        false)
        << "not bound unless asked";

    const AdminCommand move =
        ParseAdminCommand({"--db", "x", "user", "set-branch", "maria", "0002"});
    EXPECT_EQ(move.kind, AdminCommand::Kind::UserSetBranch);
    EXPECT_EQ(move.branch, "0002");
    EXPECT_FALSE(move.bound.has_value()) << "the binding stays unless --bound or --free";

    const AdminCommand audit =
        ParseAdminCommand({"--db", "x", "audit", "--since", "31/01/2026", "--user", "maria"});
    EXPECT_EQ(audit.since, "2026-01-31");
    EXPECT_EQ(audit.user, "maria");
    EXPECT_EQ(ParseAdminCommand({"--db", "x", "audit", "--since", "2026-01-31"}).since,
              "2026-01-31");
}

TEST(AdminOptions, MisuseIsRefusedWithAReason) {
    EXPECT_NE(Refusal({"setup"}).find("--db"), std::string::npos);
    EXPECT_NE(Refusal({"--db", "x"}).find("Falta o comando"), std::string::npos);
    EXPECT_NE(Refusal({"--db", "x", "drop"}).find("Comando desconhecido"), std::string::npos);
    EXPECT_NE(Refusal({"--db", "x", "user", "add", "maria", "--name", "M"}).find("--branch"),
              std::string::npos);
    EXPECT_NE(Refusal({"--db", "x", "user", "list", "--bound"}).find("inesperado"),
              std::string::npos);
    EXPECT_NE(Refusal({"--db", "x", "audit", "--since", "ontem"}).find("--since espera"),
              std::string::npos);
    EXPECT_NE(Refusal({"--db", "x", "user", "disable"}).find("Falta o login"), std::string::npos);
}

TEST(AdminOptions, ALoginIsAPlainNameThatNoSystemRoleHas) {
    for (const char* good : {"maria", "joao.lima", "_svc", "a1-b2"})
        EXPECT_TRUE(admin::IsPersonLogin(good)) << good;
    for (const char* bad : {"", "Maria", "1abc", "ma ria", "maria\"; drop", "postgres",
                            "pg_monitor", "exp036_pessoas", "joão"})
        EXPECT_FALSE(admin::IsPersonLogin(bad)) << bad;
    EXPECT_FALSE(admin::IsPersonLogin(std::string(64, 'a')));
    EXPECT_NE(Refusal({"--db", "x", "user", "disable", "Robert'); DROP"}).find("Login inválido"),
              std::string::npos);
}

}  // namespace
