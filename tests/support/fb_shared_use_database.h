#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "db/demo_data.h"
#include "host/data/engine.h"
#include "shared_use_setup.h"
#include "support/firebird_database.h"
#include "user_commands.h"

namespace testsupport {

// The test rows in a database of its own on the throw-away Firebird server, set up for shared
// use by SYSDBA (ISC_USER, ISC_PASSWORD). People are users of the whole server, so each is named
// after the test. The test links exp036_admin_core and exp036_demodb.
class FbSharedUseDatabase {
public:
    explicit FbSharedUseDatabase(const std::string& test)
        : suffix_(std::to_string(std::hash<std::string>{}(test) % 100000)),
          database_(FirebirdPlace::Server),
          admin(hostfw::OpenDatabase(database_.Connection())) {
        demodb::BuildTestDatabase(*admin);
        admin::SetUpSharedUse(*admin);
    }

    // A person with the password Password(login); returns the login as Firebird keeps it.
    std::string AddPerson(const std::string& name, const std::string& branch, bool bound) {
        admin::AdminCommand command;
        command.database = database_.Connection();
        command.login = name + "_" + suffix_;
        command.name = name;
        command.branch = branch;
        command.bound = bound;
        command.passwordFromStdin = true;
        std::string login = command.login;
        std::transform(login.begin(), login.end(), login.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        std::istringstream password(Password(login) + "\n");
        admin::AddPerson(*admin, command, password);
        return login;
    }

    static std::string Password(const std::string& login) { return "senha-" + login; }

    const std::string& Connection() const { return database_.Connection(); }

    // The person's own connection to the server, as a SQL client would open it.
    std::shared_ptr<hostfw::Engine> SignIn(const std::string& login,
                                           const std::string& password = std::string()) const {
        return hostfw::OpenDatabaseAs(Connection(),
                                      {login, password.empty() ? Password(login) : password});
    }

private:
    std::string suffix_;
    FirebirdTestDatabase database_;

public:
    std::shared_ptr<hostfw::Engine> admin;
};

// A test on a shared-use database of the throw-away Firebird server; skipped without one.
class FbSharedUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FirebirdServerAvailable())
            GTEST_SKIP() << "sem servidor Firebird (tests/firebird/with_firebird.sh)";
        database.emplace(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::optional<FbSharedUseDatabase> database;
};

}  // namespace testsupport
