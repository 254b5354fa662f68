// The server on a database set up for shared use: sign-in, identity on every call, the
// person's branch enforced by the database, and the audit of it all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "audit_listing.h"
#include "host/data/engine.h"
#include "host/net/server_credentials.h"
#include "host/session/session.h"
#include "support/failure_of.h"
#include "support/invoice_client.h"
#include "support/raw_http.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/signed_in_calls.h"
#include "unit/data/engine_test_support.h"

namespace {

using servertest::HttpReply;
using servertest::RawConnection;
using testsupport::SharedUseDatabase;

class PgSignedInServer : public testsupport::SharedUseTest, protected servertest::SignedInCalls {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        joao = database->AddPerson("joao", "0002", false);
        // The people's connections close after a second without a call, so a test can see them
        // go.
        StartServer({"--connection-idle", "1"});
    }
    // Over TCP, where PostgreSQL checks every password, as the server's own login.
    void StartServer(const std::vector<std::string>& more) {
        std::vector<std::string> options = {"--db",
                                            SharedUseDatabase::As(database->TcpConnection(), own)};
        options.insert(options.end(), more.begin(), more.end());
        server.reset();
        server.emplace(options);
    }
    void TearDown() override { server.reset(); }

    // The token of an accepted sign-in.
    std::string TokenOf(const std::string& login) {
        return SignedInCalls::TokenOf(login, SharedUseDatabase::Password(login));
    }

    // The person's connections open on the database server.
    long long ConnectionsOf(const std::string& login) {
        hostfw::TParams params;
        params.CreateParam("PESSOA").SetAsString(login);
        const auto rows = database->admin->Query(
            "SELECT count(*) FROM pg_stat_activity WHERE usename = :PESSOA", params);
        rows->Next();
        return rows->Value(0).AsInteger();
    }

    std::string own;
    std::string maria;
    std::string joao;
};

TEST_F(PgSignedInServer, WithoutAValidTokenNothingIsGiven) {
    EXPECT_EQ(Send("GET", "/exp03600.rdmRelConsLanc", "").status, 401);
    const HttpReply anonymous =
        Send("POST", kGetNota, servertest::GetNotaBody("0001", kFirstDay, kLastDay));
    EXPECT_EQ(anonymous.status, 401);
    EXPECT_NE(anonymous.body.find("exige entrada"), std::string::npos) << anonymous.body;
    const HttpReply forged = GetNota(std::string(64, 'a'), "0001");
    EXPECT_EQ(forged.status, 401);
    EXPECT_NE(forged.body.find("não é válida"), std::string::npos) << forged.body;
    EXPECT_EQ(RowsIn(anonymous) + RowsIn(forged), 0);
}

TEST_F(PgSignedInServer, ABoundPersonReadsOnlyTheHomeBranchWhateverItAsks) {
    const std::string token = TokenOf(maria);
    const HttpReply home = GetNota(token, "0001");
    ASSERT_EQ(home.status, 200) << home.body;
    EXPECT_EQ(RowsIn(home), 4);
    const HttpReply other = GetNota(token, "0002");
    EXPECT_EQ(other.status, 403);
    EXPECT_NE(other.body.find("A pessoa " + maria +
                              " só pode consultar a filial 0001, não a "
                              "filial 0002."),
              std::string::npos)
        << other.body;

    const HttpReply unbound = GetNota(TokenOf(joao), "0001");
    ASSERT_EQ(unbound.status, 200) << unbound.body;
    EXPECT_EQ(RowsIn(unbound), 4) << "a person not bound reads every branch";
}

// The framework's client signs in by itself when the server asks, and the form's check shows
// the server's refusal.
// Nothing else comes to the server, and still the connection the call left open goes; the next
// call opens another.
TEST_F(PgSignedInServer, APersonsIdleConnectionsCloseWithoutAnotherCall) {
    const std::string token = TokenOf(maria);
    ASSERT_EQ(GetNota(token, "0001").status, 200);
    long long open = ConnectionsOf(maria);
    for (int look = 0; look < 100 && open > 0; ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        open = ConnectionsOf(maria);
    }
    EXPECT_EQ(open, 0) << "the idle connection is still open";
    const HttpReply again = GetNota(token, "0001");
    ASSERT_EQ(again.status, 200) << again.body;
    EXPECT_EQ(RowsIn(again), 4);
}

TEST_F(PgSignedInServer, TheClientSignsInAndShowsTheRefusalOfAnotherBranch) {
    servertest::InvoiceClient client(server->Host(), server->Port());
    client.Context().SetServerCredentials([this] {
        return std::optional<hostfw::Credentials>({maria, SharedUseDatabase::Password(maria)});
    });
    // The test's server speaks plain HTTP on loopback; the person accepts that here.
    client.Context().Session().serverPlainPassword = true;
    servertest::GetNotaArgs home;
    home.last = hostfw::EncodeDate(2025, 12, 31);
    EXPECT_EQ(client.Entries(home).size(), 4u);
    servertest::GetNotaArgs other = home;
    other.branch = "0002";
    EXPECT_NE(
        testsupport::FailureOf([&] { client.Load(other); }).find("só pode consultar a filial"),
        std::string::npos);

    servertest::InvoiceClient wrong(server->Host(), server->Port());
    wrong.Context().SetServerCredentials([this] {
        return std::optional<hostfw::Credentials>({maria, "errada"});
    });
    wrong.Context().Session().serverPlainPassword = true;
    EXPECT_NE(testsupport::FailureOf([&] { wrong.Load(home); }).find("Usuário ou senha incorretos"),
              std::string::npos);
}

// The host's connection to the server goes when the form closes or the host ends: the sign-in
// it made ends then on the server too, not at its idle expiry.
TEST_F(PgSignedInServer, AClientThatGoesSignsOut) {
    const auto signOuts = [this] {
        const std::string log = server->Log();
        long long count = 0;
        for (auto at = log.find("ok: saída"); at != std::string::npos;
             at = log.find("ok: saída", at + 1))
            ++count;
        return count;
    };
    {
        servertest::InvoiceClient client(server->Host(), server->Port());
        client.Context().SetServerCredentials([this] {
            return std::optional<hostfw::Credentials>({maria, SharedUseDatabase::Password(maria)});
        });
        client.Context().Session().serverPlainPassword = true;
        servertest::GetNotaArgs home;
        home.last = hostfw::EncodeDate(2025, 12, 31);
        EXPECT_EQ(client.Entries(home).size(), 4u);
        EXPECT_EQ(signOuts(), 0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (signOuts() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(signOuts(), 1) << server->Log();
}

TEST_F(PgSignedInServer, SignInsAndCallsAreAuditedAndNobodyRemovesTheRows) {
    EXPECT_EQ(SignIn(maria, "errada").status, 401);
    const std::string token = TokenOf(maria);
    EXPECT_EQ(GetNota(token, "0001").status, 200);
    EXPECT_EQ(GetNota(token, "0002").status, 403);
    EXPECT_EQ(Send("POST", kGetNota, "{}").status, 401);

    admin::AdminCommand listing;
    listing.user = maria;
    std::ostringstream out;
    admin::ListAudit(*database->admin, listing, out);
    const std::string audit = out.str();
    for (const char* expected : {"entrada-recusada", "entrada", "chamada", "127.0.0.1",
                                 "exp03600.rdmRelConsLanc/GetNota", "A pessoa"})
        EXPECT_NE(audit.find(expected), std::string::npos) << expected << " in\n" << audit;

    hostfw::TParams params;
    params.CreateParam("PESSOA").SetAsString(maria);
    const auto rows = database->admin->Query(
        "SELECT EVENTO, coalesce(LINHAS, -1) FROM AUDITORIA WHERE PESSOA = :PESSOA ORDER BY "
        "MOMENTO, EVENTO DESC",
        params);
    std::string events;
    while (rows->Next())
        events += rows->Value(0).AsString() + ":" + rows->Value(1).AsString() + " ";
    EXPECT_EQ(events, "entrada-recusada:-1 entrada:-1 chamada:4 chamada:-1 ");
    EXPECT_THROW(database->SignIn(maria)->Execute("DELETE FROM AUDITORIA", hostfw::TParams()),
                 hostfw::Exception);
}

// One colleague's mistyped passwords hold back that login only: the office behind the same
// address signs in as before.
TEST_F(PgSignedInServer, OneColleaguesMistakesLockOutNobodyElseAtTheSameAddress) {
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(SignIn(maria, "errada").status, 401);
    // She now waits a second before her next try; her colleague does not.
    const HttpReply colleague = SignIn(joao, SharedUseDatabase::Password(joao));
    EXPECT_EQ(colleague.status, 200) << colleague.body;
}

// A database restart ends every session: the first call on each worker runs again on a new
// connection, and its audit row is written on a new connection too, instead of failing the call.
TEST_F(PgSignedInServer, AfterADatabaseRestartTheNextCallIsAuditedAndAnswered) {
    StartServer({"--threads", "1"});
    const std::string token = TokenOf(maria);
    ASSERT_EQ(GetNota(token, "0001").status, 200);
    datatest::EndOtherSessions(*database->admin);
    const HttpReply again = GetNota(token, "0001");
    EXPECT_EQ(again.status, 200) << again.body;
    EXPECT_EQ(RowsIn(again), 4);
    EXPECT_EQ(database->AuditCount(maria, "chamada", "%", "ok"), 2);
}

// Two sign-ins leave two kept connections of the person; the database ends them both (a restart,
// a failover). The next call must not meet the second dead one on its one retry.
TEST_F(PgSignedInServer, AfterADatabaseRestartNoKeptConnectionFailsTheNextCall) {
    StartServer({"--threads", "1"});
    const std::string token = TokenOf(maria);
    TokenOf(maria);
    ASSERT_EQ(ConnectionsOf(maria), 2);
    datatest::EndOtherSessions(*database->admin);
    const HttpReply again = GetNota(token, "0001");
    EXPECT_EQ(again.status, 200) << again.body;
    EXPECT_EQ(RowsIn(again), 4);
}

// A request refused for what it carries (invalid UTF-8, NUL) or as unreadable HTTP leaves an
// audit row with the reason, whatever bytes it held.
TEST_F(PgSignedInServer, RefusedRequestsAreAuditedWithTheirReason) {
    const std::string token = TokenOf(maria);
    const std::string authorization = "Authorization: Bearer " + token + "\r\n";
    // Bytes that are no UTF-8, and a raw NUL, in a string of the body.
    const HttpReply badText = Send(
        "POST", kGetNota,
        std::string(R"({"version":1,"args":[{"type":"string","value":")") + "\xff\xfe" + "\"}]}",
        authorization);
    EXPECT_EQ(badText.status, 400) << badText.body;
    const HttpReply nul =
        Send("POST", kGetNota,
             std::string(R"({"version":1,"args":[{"type":"string","value":"a)") + '\0' + "\"}]}",
             authorization);
    EXPECT_EQ(nul.status, 400) << nul.body;
    RawConnection broken(server->Host(), server->Port());
    broken.Send("POST /exp03600.rdmRelConsLanc/GetNota HTTP/1.1\r\nContent-Length: x\r\n\r\n");
    ASSERT_TRUE(broken.ReadReply().has_value());
    EXPECT_EQ(database->AuditCount(maria, "chamada", "%", "erro: %"), 2);
    // Unreadable HTTP names nobody: it is audited as anonymous, with its reason.
    for (int look = 0; look < 50 && database->AuditCount("(anônimo)", "chamada", "%",
                                                         "erro: Pedido HTTP malformado.") == 0;
         ++look)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(database->AuditCount("(anônimo)", "chamada", "%", "erro: Pedido HTTP malformado."),
              1);
}

// PostgreSQL must check the password of a person's connection, or a sign-in proves nothing: on
// a connection it trusts (the test server's local socket) the server does not start at all.
TEST_F(PgSignedInServer, TheServerDoesNotStartWherePasswordsAreNotChecked) {
    std::string output;
    EXPECT_EQ(servertest::RunServerToEnd({"--db", database->SocketConnection()}, output), 1);
    EXPECT_NE(output.find("o PostgreSQL não pede senha às conexões que o servidor abre para as "
                          "pessoas"),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("listening on"), std::string::npos);
}

// Where pg_hba.conf trusts one person's connections, a sign-in as that person is refused whatever
// the password, the right one included: the server never takes a password PostgreSQL did not
// check.
TEST_F(PgSignedInServer, AWrongPasswordIsRefusedEvenWherePostgresqlTrustsThePerson) {
    const auto hbaRow = database->admin->Query("SHOW hba_file", hostfw::TParams());
    ASSERT_TRUE(hbaRow->Next());
    const std::string hbaFile = hbaRow->Value(0).AsString();
    const std::string original = [&] {
        std::ifstream in(hbaFile);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }();
    const auto reload = [&](const std::string& text) {
        std::ofstream(hbaFile) << text;
        database->admin->Query("SELECT pg_reload_conf()", hostfw::TParams())->Next();
    };
    reload("host exp036 " + maria + " 127.0.0.1/32 trust\n" + original);
    bool trusted = false;
    for (int look = 0; look < 50 && !trusted; ++look) {
        try {
            database->SignIn(maria, "qualquer");
            trusted = true;
        } catch (const hostfw::Exception&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    const HttpReply wrong = SignIn(maria, "ERRADA");
    const HttpReply right = SignIn(maria, SharedUseDatabase::Password(maria));
    reload(original);
    ASSERT_TRUE(trusted) << "the trusting line never took effect";
    for (const HttpReply& reply : {wrong, right}) {
        EXPECT_EQ(reply.status, 500) << reply.body;
        EXPECT_NE(reply.body.find("sem pedir a senha"), std::string::npos) << reply.body;
        EXPECT_EQ(reply.body.find("token"), std::string::npos) << reply.body;
    }
    EXPECT_EQ(database->AuditCount(maria, "entrada-recusada", "%", "%sem pedir a senha%"), 2);
}

}  // namespace
