// Several servers over one shared database, as behind a balancer: a sign-in made on one is
// valid on the others, and its end (sign-out, expiry, the person disabled) holds on all of them
// within seconds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "admin_options.h"
#include "support/raw_http.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/signed_in_calls.h"
#include "support/test_folder.h"
#include "user_commands.h"

namespace {

using servertest::HttpReply;
using servertest::ServerProcess;
using testsupport::SharedUseDatabase;

class PgSharedSignIn : public testsupport::SharedUseTest, protected servertest::SignedInCalls {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        folder = testsupport::PrivateTestFolder("exp036-shared-sign-in");
        std::filesystem::create_directories(folder);
        sharedKey = WriteKey("chave", std::string(64, '7'));
        first.emplace(Options(sharedKey));
        second.emplace(Options(sharedKey));
    }
    void TearDown() override {
        first.reset();
        second.reset();
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    std::filesystem::path WriteKey(const std::string& name, const std::string& hex,
                                   mode_t mode = 0600) {
        const auto path = folder / name;
        std::ofstream(path) << hex << "\n";
        chmod(path.c_str(), mode);
        return path;
    }
    std::vector<std::string> Options(const std::filesystem::path& key) const {
        return {"--db", SharedUseDatabase::As(database->TcpConnection(), own), "--session-key",
                key.string()};
    }

    HttpReply On(ServerProcess& target, const std::string& method, const std::string& path,
                 const std::string& body, const std::string& token) {
        servertest::RawConnection connection(target.Host(), target.Port());
        connection.Send(servertest::HttpRequest(method, path, body, false,
                                                "Authorization: Bearer " + token + "\r\n"));
        return connection.ReadReply().value_or(HttpReply{});
    }
    int GetNotaOn(ServerProcess& target, const std::string& token) {
        return On(target, "POST", kGetNota, servertest::GetNotaBody("0001", kFirstDay, kLastDay),
                  token)
            .status;
    }
    // The status the server gives once it has had the time to notice, at most a few seconds.
    int SettledStatus(ServerProcess& target, const std::string& token, int expected) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
        int status = GetNotaOn(target, token);
        while (status != expected && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            status = GetNotaOn(target, token);
        }
        return status;
    }
    std::string SignInOn(ServerProcess& target) {
        const HttpReply reply = [&] {
            servertest::RawConnection connection(target.Host(), target.Port());
            connection.Send(servertest::HttpRequest("POST", "/sign-in",
                                                    R"({"version":2,"user":")" + maria +
                                                        R"(","password":")" +
                                                        SharedUseDatabase::Password(maria) + "\"}",
                                                    false));
            return connection.ReadReply().value_or(HttpReply{});
        }();
        EXPECT_EQ(reply.status, 200) << reply.body;
        const auto start = reply.body.find(R"("token":")");
        if (start == std::string::npos)
            return std::string();
        return reply.body.substr(start + 9, reply.body.find('"', start + 9) - start - 9);
    }
    long long SignInRows() {
        const auto rows =
            database->admin->Query("SELECT count(*) FROM SESSAO_ENTRADA", hostfw::TParams());
        rows->Next();
        return rows->Value(0).AsInteger();
    }

    std::string own;
    std::string maria;
    std::filesystem::path folder;
    std::filesystem::path sharedKey;
    std::optional<ServerProcess> first;
    std::optional<ServerProcess> second;
};

TEST_F(PgSharedSignIn, OneSignInIsServedByEveryServerAndTheDatabaseKeepsNoToken) {
    const std::string token = SignInOn(*first);
    const HttpReply there =
        On(*second, "POST", kGetNota, servertest::GetNotaBody("0001", kFirstDay, kLastDay), token);
    ASSERT_EQ(there.status, 200) << there.body;
    EXPECT_EQ(RowsIn(there), 4) << "the person's own rows, read on the second server";
    EXPECT_EQ(GetNotaOn(*first, token), 200);
    // Bound to 0001: the other server runs the call as the person, so the database refuses more.
    EXPECT_EQ(
        On(*second, "POST", kGetNota, servertest::GetNotaBody("0002", kFirstDay, kLastDay), token)
            .status,
        403);
    hostfw::TParams params;
    params.CreateParam("TOKEN").SetAsString(token);
    const auto rows = database->admin->Query(
        "SELECT count(*) FROM SESSAO_ENTRADA WHERE RESUMO = :TOKEN OR LOGIN = :TOKEN "
        "OR strpos(:TOKEN, RESUMO) > 0",
        params);
    rows->Next();
    EXPECT_EQ(rows->Value(0).AsInteger(), 0) << "only the token's digest is stored";
    EXPECT_EQ(SignInRows(), 1);
    EXPECT_EQ(database->AuditCount(maria, "chamada"), 3) << "every call audited, on either server";
}

TEST_F(PgSharedSignIn, ASignOutOnOneServerEndsTheSignInOnTheOthers) {
    const std::string token = SignInOn(*first);
    ASSERT_EQ(GetNotaOn(*second, token), 200);
    const HttpReply out = On(*second, "POST", "/sign-out", "", token);
    EXPECT_EQ(out.status, 200) << out.body;
    EXPECT_EQ(SettledStatus(*first, token, 401), 401);
    EXPECT_EQ(GetNotaOn(*second, token), 401);
    EXPECT_EQ(SignInRows(), 0);
}

TEST_F(PgSharedSignIn, AnExpiredOrRevokedSignInEndsOnEveryServer) {
    const std::string expiring = SignInOn(*first);
    ASSERT_EQ(GetNotaOn(*second, expiring), 200);
    // Its idle time over, as another server would have left it.
    database->admin->Execute("UPDATE SESSAO_ENTRADA SET TERMINO = 1", hostfw::TParams());
    EXPECT_EQ(SettledStatus(*first, expiring, 401), 401);
    EXPECT_EQ(SettledStatus(*second, expiring, 401), 401);

    const std::string revoked = SignInOn(*second);
    ASSERT_EQ(GetNotaOn(*first, revoked), 200);
    admin::AdminCommand disable;
    disable.login = maria;
    admin::DisablePerson(*database->admin, disable);
    EXPECT_EQ(SettledStatus(*first, revoked, 401), 401);
    EXPECT_EQ(SettledStatus(*second, revoked, 401), 401);
    EXPECT_EQ(SignInRows(), 0) << "the administrator's disable ends the person's sign-ins";
}

TEST_F(PgSharedSignIn, AServerWithAnotherKeyHonoursNoneOfTheOthersTokens) {
    ServerProcess stranger(Options(WriteKey("outra", std::string(64, 'a'))));
    const std::string token = SignInOn(*first);
    EXPECT_EQ(GetNotaOn(stranger, token), 401);
    // A forged sealed part: the random part of a real token, the password of nobody.
    const std::string forged = token.substr(0, token.find('.') + 1) + std::string(64, '0');
    EXPECT_EQ(GetNotaOn(*second, forged), 401);
    EXPECT_EQ(GetNotaOn(*second, token), 200);
}

TEST_F(PgSharedSignIn, AKeyEveryoneMayReadOrNotAKeyStopsTheServerAtStart) {
    for (const auto& [key, why] :
         {std::pair{WriteKey("publica", std::string(64, '1'), 0644), "qualquer usuário"},
          std::pair{WriteKey("curta", "abc"), "64 dígitos"}}) {
        std::string output;
        EXPECT_EQ(servertest::RunServerToEnd(Options(key), output), 2) << output;
        EXPECT_NE(output.find(why), std::string::npos) << output;
    }
}

}  // namespace
