#pragma once

#include <gtest/gtest.h>
#include <cstdlib>

#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "db/demo_data.h"
#include "host/data/engine.h"
#include "shared_use_setup.h"
#include "user_commands.h"

namespace testsupport {

// The test rows in a private schema of the PostgreSQL server `url` names, set up for shared
// use. People are login roles of the whole cluster, so each is named after the schema and
// dropped with it. The test links exp036_admin_core and exp036_demodb.
class SharedUseDatabase {
public:
    SharedUseDatabase(std::string url, const std::string& test)
        : url_(std::move(url)),
          schema_("su_" + std::to_string(std::hash<std::string>{}(test) % 1000000)),
          admin(hostfw::OpenDatabase(url_)) {
        admin->ExecuteScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE; CREATE SCHEMA " +
                             schema_ + "; SET search_path = " + schema_);
        demodb::BuildTestDatabase(*admin);
        admin::SetUpSharedUse(*admin);
    }

    ~SharedUseDatabase() {
        admin->ExecuteScript("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
        for (const std::string& login : people_)
            admin->ExecuteScript("DROP ROLE IF EXISTS " + login);
    }
    SharedUseDatabase(const SharedUseDatabase&) = delete;
    SharedUseDatabase& operator=(const SharedUseDatabase&) = delete;

    // A person with the password Password(login); returns the login.
    std::string AddPerson(const std::string& name, const std::string& branch, bool bound) {
        const std::string login = schema_ + "_" + name;
        admin::AdminCommand command;
        command.login = login;
        command.name = name;
        command.branch = branch;
        command.bound = bound;
        command.passwordFromStdin = true;
        std::istringstream password(Password(login) + "\n");
        people_.push_back(login);
        admin::AddPerson(*admin, command, password);
        return login;
    }

    static std::string Password(const std::string& login) { return "senha-" + login; }
    // `connection` (this database's, or its standby's) as `login` with its password.
    static std::string As(const std::string& connection, const std::string& login) {
        return connection + " user=" + login + " password=" + Password(login);
    }

    // The application server's own login, with the password Password(login): it adds audit
    // rows for anyone and reads the table of people, nothing else.
    std::string AddServerLogin() {
        const std::string login = schema_ + "_servidor";
        people_.push_back(login);
        admin->ExecuteScript("CREATE ROLE " + login + " LOGIN PASSWORD '" + Password(login) +
                             "' IN ROLE exp036_servidor");
        return login;
    }

    // The database over TCP, where logins need a password, with no user or password; over
    // verified TLS when the test server offers it (EXP036_PG_CA, tests/pg/with_postgres.sh).
    std::string TcpConnection() const {
        std::smatch port;
        std::regex_search(url_, port, std::regex("port=([0-9]+)"));
        std::string connection = "host=127.0.0.1 port=" + port[1].str() +
                                 " dbname=exp036 options='-c search_path=" + schema_ + "'";
        if (const char* authority = std::getenv("EXP036_PG_CA"))
            connection += " sslmode=verify-full sslrootcert=" + std::string(authority);
        return connection;
    }

    // The database over the local socket of the test server, which trusts whoever connects
    // (tests/pg/with_postgres.sh), as a server wrongly set up would reach it.
    std::string SocketConnection() const {
        return url_ + " options='-c search_path=" + schema_ + "'";
    }

    const std::string& Schema() const { return schema_; }

    // The person's own connection, over TCP with its password, as a SQL client would open it.
    std::shared_ptr<hostfw::Engine> SignIn(const std::string& login,
                                           const std::string& password = std::string()) const {
        return hostfw::OpenDatabase(TcpConnection() + " user=" + login +
                                    " password=" + (password.empty() ? Password(login) : password));
    }

    // How many audit rows the person has of the event whose parameters and outcome are LIKE
    // these patterns.
    long long AuditCount(const std::string& login, const std::string& event,
                         const std::string& parameters = "%",
                         const std::string& outcome = "%") const {
        hostfw::TParams params;
        params.CreateParam("PESSOA").SetAsString(login);
        params.CreateParam("EVENTO").SetAsString(event);
        params.CreateParam("PARAMETROS").SetAsString(parameters);
        params.CreateParam("RESULTADO").SetAsString(outcome);
        const auto rows = admin->Query(
            "SELECT count(*) FROM AUDITORIA WHERE PESSOA = :PESSOA AND EVENTO = :EVENTO AND "
            "coalesce(PARAMETROS, '') LIKE :PARAMETROS AND RESULTADO LIKE :RESULTADO",
            params);
        rows->Next();
        return rows->Value(0).AsInteger();
    }

private:
    std::string url_;
    std::string schema_;
    std::vector<std::string> people_;

public:
    std::shared_ptr<hostfw::Engine> admin;
};

// A test on its own shared-use schema of the server EXP036_PG_URL names; skipped without one.
// A fixture that sets up more calls SetUp() first and returns when IsSkipped().
class SharedUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* url = std::getenv("EXP036_PG_URL");
        if (url == nullptr || *url == '\0')
            GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
        database.emplace(url, ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::optional<SharedUseDatabase> database;
};

}  // namespace testsupport
