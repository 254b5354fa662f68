// The server under TLS, with a throw-away certificate authority made by the openssl command:
// the form's client checks the certificate, and a client that speaks plain HTTP to it is told
// why it gets nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/core/child_process.h"
#include "host/session/session.h"
#include "invoice_database.h"
#include "support/failure_of.h"
#include "support/invoice_client.h"
#include "support/server_process.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FailureOf;

void Openssl(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {"openssl"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ASSERT_EQ(hostfw::RunProgram(argv), 0) << "openssl " << arguments.front();
}

class TlsServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hostfw::FindProgram("openssl"))
            GTEST_SKIP() << "o comando openssl não está instalado";
        fs::create_directories(folder);
        const std::string dir = folder.string() + "/";
        // An authority, and a certificate it signs for this machine's loopback address.
        Openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                 "-nodes", "-days", "2", "-subj", "/CN=EXP036 teste", "-keyout", dir + "ca.key",
                 "-out", dir + "ca.pem"});
        std::ofstream(dir + "san.cnf") << "subjectAltName=IP:127.0.0.1\n";
        Openssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                 "-subj", "/CN=127.0.0.1", "-keyout", dir + "server.key", "-out",
                 dir + "server.csr"});
        Openssl({"x509", "-req", "-in", dir + "server.csr", "-CA", dir + "ca.pem", "-CAkey",
                 dir + "ca.key", "-CAcreateserial", "-days", "2", "-extfile", dir + "san.cnf",
                 "-out", dir + "server.pem"});
        server.emplace(std::vector<std::string>{"--db", database.Path(), "--tls-cert",
                                                dir + "server.pem", "--tls-key",
                                                dir + "server.key"});
    }
    void TearDown() override {
        server.reset();
        fs::remove_all(folder);
    }

    std::string Https() const { return "https://" + server->Host(); }

    // Why connecting as the form does, to that address, with that authority file, fails.
    std::string ConnectFailure(const std::string& host, const std::string& caFile = "") const {
        servertest::InvoiceClient client(host, server->Port());
        client.Context().Session().serverCaFile = caFile;
        return FailureOf([&] { client.Connection().SetConnected(true); });
    }

    const fs::path folder = testsupport::PrivateTestFolder("exp036-tls");
    servertest::SqliteInvoiceDatabase database;
    std::optional<servertest::ServerProcess> server;
};

TEST_F(TlsServer, TheFormsClientReachesItWithTheAuthorityItWasGiven) {
    servertest::InvoiceClient client(Https(), server->Port());
    client.Context().Session().serverCaFile = (folder / "ca.pem").string();
    servertest::GetNotaArgs args;
    EXPECT_EQ(client.Entries(args).size(), 6u);
}

TEST_F(TlsServer, ACertificateOfAnUnknownAuthorityIsRefused) {
    // The system's authorities never signed the throw-away one.
    const std::string failure = ConnectFailure(Https());
    EXPECT_NE(failure.find("o TLS falhou"), std::string::npos) << failure;
    EXPECT_NE(failure.find("https://127.0.0.1:"), std::string::npos) << failure;
}

TEST_F(TlsServer, PlainHttpIsToldToUseTls) {
    const std::string failure = ConnectFailure(server->Host());
    EXPECT_NE(failure.find("só aceita conexões TLS: informe o endereço com https://"),
              std::string::npos)
        << failure;
}

TEST_F(TlsServer, AnUnreadableAuthorityFileIsNamed) {
    const std::string failure = ConnectFailure(Https(), (folder / "nenhum.pem").string());
    EXPECT_NE(failure.find("nenhum.pem"), std::string::npos) << failure;
}

}  // namespace
