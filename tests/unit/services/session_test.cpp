#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/core/exception.h"
#include "host/data/data_context.h"
#include "host/data/engine.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "support/test_folder.h"

namespace {

// A context of the test's own: its session and shared database start fresh and go with it.
class SessionSettings : public ::testing::Test {
protected:
    ~SessionSettings() override {
        context.Database().Close();
        std::filesystem::remove_all(folder);
    }

    hostfw::SessionSettings& Session() { return context.Session(); }
    std::shared_ptr<hostfw::Engine> SharedDatabase() { return context.Database().Open(); }
    std::string FiliProc() { return hostfw::FiliProc(Session()); }
    bool ModuFili() { return hostfw::ModuFili(Session()); }

    std::string NewDatabase(const std::string& name) {
        std::filesystem::create_directories(folder);
        const std::string path = (folder / name).string();
        hostfw::OpenDatabase(path, true)->Execute("CREATE TABLE marca (nome TEXT)", {});
        hostfw::TParams params({"NOME"});
        params[0].SetAsString(name);
        hostfw::OpenDatabase(path)->Execute("INSERT INTO marca VALUES (:NOME)", params);
        return path;
    }

    // What a query owned under that owner reads.
    static std::string MarkReadUnder(hostfw::TComponent& owner) {
        hostfw::TADOIBQuery query(&owner);
        auto* name = new hostfw::TStringField(&query);
        name->SetFieldName("nome");
        name->SetDataSet(&query);
        query.SetSQL({"SELECT nome FROM marca"});
        query.Open();
        return name->AsString();
    }

    static std::string MarkOf(hostfw::Engine& engine) {
        auto cursor = engine.Query("SELECT nome FROM marca", {});
        return cursor->Next() ? cursor->Value(0).AsString() : "";
    }

    hostfw::DataContext context;
    std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-session");
};

TEST_F(SessionSettings, RoutinesReadTheSession) {
    Session().filiProc = "0007";
    Session().moduFili = true;
    EXPECT_EQ(FiliProc(), "0007");
    EXPECT_TRUE(ModuFili());
}

TEST_F(SessionSettings, SharedDatabaseFollowsTheSetting) {
    Session().database = NewDatabase("a.sqlite");
    EXPECT_EQ(MarkOf(*SharedDatabase()), "a.sqlite");
    EXPECT_EQ(SharedDatabase(), SharedDatabase()) << "opened once";
    Session().database = NewDatabase("b.sqlite");
    EXPECT_EQ(MarkOf(*SharedDatabase()), "b.sqlite");
}

TEST_F(SessionSettings, NoDatabaseOrAMissingFileIsAClearFailure) {
    Session().database = "";
    EXPECT_THROW(SharedDatabase(), hostfw::Exception);
    Session().database = (folder / "nao-existe.sqlite").string();
    EXPECT_THROW(SharedDatabase(), hostfw::Exception);
    EXPECT_FALSE(std::filesystem::exists(Session().database)) << "never created by accident";
}

TEST_F(SessionSettings, ABoundPersonWorksInTheHomeBranchWhateverTheSettingsSay) {
    Session().filiProc = "0002";
    Session().moduFili = false;
    EXPECT_EQ(FiliProc(), "0002") << "nobody signed in: the settings hold";

    Session().person = hostfw::Person{"maria", "Maria Souza", "0001", true};
    EXPECT_EQ(FiliProc(), "0001");
    EXPECT_TRUE(ModuFili());

    Session().person->bound = false;
    EXPECT_EQ(FiliProc(), "0002") << "a person not bound may choose";
    EXPECT_FALSE(ModuFili());
    Session().moduFili = true;
    EXPECT_TRUE(ModuFili()) << "and may narrow the session";
}

// Queries reach the shared database of the context their owners carry: a second context on
// another database, side by side, reads its own.
TEST_F(SessionSettings, EachQueryReadsItsOwnContextsDatabase) {
    Session().database = NewDatabase("primeiro.sqlite");
    hostfw::DataContext second;
    second.Session().database = NewDatabase("segundo.sqlite");
    hostfw::TContextOwner firstOwner(context);
    hostfw::TContextOwner secondOwner(second);

    EXPECT_EQ(MarkReadUnder(firstOwner), "primeiro.sqlite");
    EXPECT_EQ(MarkReadUnder(secondOwner), "segundo.sqlite");
    // A change of one session's database moves only its own queries.
    second.Session().database = Session().database;
    EXPECT_EQ(MarkReadUnder(secondOwner), "primeiro.sqlite");
    Session().database = NewDatabase("terceiro.sqlite");
    EXPECT_EQ(MarkReadUnder(firstOwner), "terceiro.sqlite");
    EXPECT_EQ(MarkReadUnder(secondOwner), "primeiro.sqlite");
}

TEST_F(SessionSettings, AQueryUnderNoContextSaysSoInsteadOfReadingAnotherDatabase) {
    Session().database = NewDatabase("a.sqlite");
    hostfw::TADOIBQuery query(nullptr);
    query.SetName("qrySolta");
    query.SetSQL({"SELECT nome FROM marca"});
    try {
        query.Open();
        FAIL() << "a query under no context opened a database";
    } catch (const hostfw::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("qrySolta"), std::string::npos) << error.what();
    }
}

}  // namespace
