#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/shared_database.h"
#include "host/session/session.h"
#include "support/test_folder.h"

namespace {

using hostfw::Session;

class SessionSettings : public ::testing::Test {
protected:
    SessionSettings() : saved(Session()) {}
    ~SessionSettings() override {
        hostfw::CloseSharedDatabase();
        Session() = saved;
        std::filesystem::remove_all(folder);
    }

    std::string NewDatabase(const std::string& name) {
        std::filesystem::create_directories(folder);
        const std::string path = (folder / name).string();
        hostfw::OpenDatabase(path, true)->Execute("CREATE TABLE marca (nome TEXT)", {});
        hostfw::TParams params({"NOME"});
        params[0].SetAsString(name);
        hostfw::OpenDatabase(path)->Execute("INSERT INTO marca VALUES (:NOME)", params);
        return path;
    }

    static std::string MarkOf(hostfw::Engine& engine) {
        auto cursor = engine.Query("SELECT nome FROM marca", {});
        return cursor->Next() ? cursor->Value(0).AsString() : "";
    }

    hostfw::SessionSettings saved;
    std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-session");
};

TEST_F(SessionSettings, RoutinesReadTheSession) {
    Session().filiProc = "0007";
    Session().moduFili = true;
    Session().webUrl = "10.0.0.5";
    Session().webPort = 9000;
    EXPECT_EQ(hostfw::FiliProc(), "0007");
    EXPECT_TRUE(hostfw::ModuFili());
    EXPECT_EQ(hostfw::WebURL(), "10.0.0.5");
    EXPECT_EQ(hostfw::WebPort(), 9000);
}

TEST_F(SessionSettings, SharedDatabaseFollowsTheSetting) {
    Session().database = NewDatabase("a.sqlite");
    EXPECT_EQ(MarkOf(*hostfw::SharedDatabase()), "a.sqlite");
    EXPECT_EQ(hostfw::SharedDatabase(), hostfw::SharedDatabase()) << "opened once";
    Session().database = NewDatabase("b.sqlite");
    EXPECT_EQ(MarkOf(*hostfw::SharedDatabase()), "b.sqlite");
}

TEST_F(SessionSettings, NoDatabaseOrAMissingFileIsAClearFailure) {
    Session().database = "";
    EXPECT_THROW(hostfw::SharedDatabase(), hostfw::Exception);
    Session().database = (folder / "nao-existe.sqlite").string();
    EXPECT_THROW(hostfw::SharedDatabase(), hostfw::Exception);
    EXPECT_FALSE(std::filesystem::exists(Session().database)) << "never created by accident";
}

TEST_F(SessionSettings, ABoundPersonWorksInTheHomeBranchWhateverTheSettingsSay) {
    Session().filiProc = "0002";
    Session().moduFili = false;
    EXPECT_EQ(hostfw::FiliProc(), "0002") << "nobody signed in: the settings hold";

    Session().person = hostfw::Person{"maria", "Maria Souza", "0001", true};
    EXPECT_EQ(hostfw::FiliProc(), "0001");
    EXPECT_TRUE(hostfw::ModuFili());

    Session().person->bound = false;
    EXPECT_EQ(hostfw::FiliProc(), "0002") << "a person not bound may choose";
    EXPECT_FALSE(hostfw::ModuFili());
    Session().moduFili = true;
    EXPECT_TRUE(hostfw::ModuFili()) << "and may narrow the session";
}

}  // namespace
