// The server on a Firebird server's database set up for shared use: the sign-in checked by
// Firebird itself, the person's branch enforced by the database's views, and the audit.
#include <gtest/gtest.h>

#include <string>

#include "host/data/engine.h"
#include "support/fb_shared_use_database.h"
#include "support/signed_in_calls.h"

namespace {

using servertest::HttpReply;
using testsupport::FbSharedUseDatabase;

// The server signs in to the database as SYSDBA (ISC_USER and ISC_PASSWORD of the test server).
class FbServerSignedInServer : public testsupport::FbSharedUseTest,
                               protected servertest::SignedInCalls {
protected:
    void SetUp() override {
        FbSharedUseTest::SetUp();
        if (IsSkipped())
            return;
        maria = database->AddPerson("maria", "0001", true);
        joao = database->AddPerson("joao", "0002", false);
        server.emplace(std::vector<std::string>{"--db", database->Connection()});
    }

    std::string TokenOf(const std::string& login) {
        return SignedInCalls::TokenOf(login, FbSharedUseDatabase::Password(login));
    }

    long long AuditRows(const std::string& login, const std::string& event) {
        hostfw::TParams params;
        params.CreateParam("PESSOA").SetAsString(login);
        params.CreateParam("EVENTO").SetAsString(event);
        const auto rows = database->admin->Query(
            "SELECT count(*) FROM AUDITORIA WHERE PESSOA = :PESSOA AND EVENTO = :EVENTO", params);
        rows->Next();
        return rows->Value(0).AsInteger();
    }

    std::string maria;
    std::string joao;
};

TEST_F(FbServerSignedInServer, AWrongPasswordIsRefusedByFirebirdAndAudited) {
    const HttpReply wrong = SignIn(maria, "errada");
    EXPECT_EQ(wrong.status, 401) << wrong.body;
    EXPECT_NE(wrong.body.find("Usuário ou senha incorretos"), std::string::npos) << wrong.body;
    EXPECT_EQ(SignIn("ninguem", "x").status, 401);
    EXPECT_EQ(AuditRows(maria, "entrada-recusada"), 1);
    EXPECT_EQ(GetNota(std::string(64, 'a'), "0001").status, 401);
}

TEST_F(FbServerSignedInServer, ABoundPersonReadsOnlyTheHomeBranchWhateverItAsks) {
    const std::string token = TokenOf(maria);
    const HttpReply home = GetNota(token, "0001");
    ASSERT_EQ(home.status, 200) << home.body;
    EXPECT_EQ(RowsIn(home), 4);
    const HttpReply other = GetNota(token, "0002");
    EXPECT_EQ(other.status, 403) << other.body;
    EXPECT_EQ(RowsIn(other), 0);

    const HttpReply unbound = GetNota(TokenOf(joao), "0001");
    ASSERT_EQ(unbound.status, 200) << unbound.body;
    EXPECT_EQ(RowsIn(unbound), 4) << "a person not bound reads every branch";
    EXPECT_EQ(AuditRows(maria, "chamada"), 2);
}

}  // namespace
