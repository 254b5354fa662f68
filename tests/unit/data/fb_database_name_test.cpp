#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/data/engine.h"
#include "host/data/fb_database_name.h"

namespace {

using hostfw::EngineKind;
using hostfw::EngineOf;
using hostfw::FirebirdDatabaseOf;

TEST(FirebirdDatabaseName, EmbeddedFilesAreAbsolutePaths) {
    const auto named = FirebirdDatabaseOf("firebird:/dados/exp036");
    ASSERT_TRUE(named);
    EXPECT_TRUE(named->embedded);
    EXPECT_EQ(named->name, "/dados/exp036");

    const auto relative = FirebirdDatabaseOf("dados/../demo.FDB");
    ASSERT_TRUE(relative);
    EXPECT_TRUE(relative->embedded);
    EXPECT_EQ(relative->name, (std::filesystem::current_path() / "demo.FDB").string());

    // A folder before the colon is a path, never a host.
    const auto folder = FirebirdDatabaseOf("./a:b.fdb");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->embedded);
}

TEST(FirebirdDatabaseName, ServersAreNamedAsFirebirdNamesThem) {
    for (const std::string& name :
         {std::string("servidor:/dados/exp036.fdb"), std::string("10.0.0.5/3051:/dados/x.fdb"),
          std::string("[::1]/3051:/dados/x.fdb"),
          std::string("inet://servidor:3051//dados/x.fdb")}) {
        const auto database = FirebirdDatabaseOf(name);
        ASSERT_TRUE(database) << name;
        EXPECT_FALSE(database->embedded) << name;
        EXPECT_EQ(database->name, name);
    }
    // An alias of the server's databases.conf has no ".fdb" to tell it: the prefix does.
    const auto alias = FirebirdDatabaseOf("firebird:servidor/3051:exp036");
    ASSERT_TRUE(alias);
    EXPECT_FALSE(alias->embedded);
    EXPECT_EQ(alias->name, "servidor/3051:exp036");
}

TEST(FirebirdDatabaseName, EachEngineKeepsItsOwnNames) {
    EXPECT_EQ(EngineOf("demo.sqlite"), EngineKind::SQLite);
    EXPECT_EQ(EngineOf("servidor:exp036"), EngineKind::SQLite) << "a file name with a colon";
    EXPECT_EQ(EngineOf("dados/a=b.fdb"), EngineKind::Firebird);
    EXPECT_EQ(EngineOf("postgresql://u@h/banco.fdb"), EngineKind::PostgreSQL);
    EXPECT_EQ(EngineOf("host=servidor dbname=banco.fdb"), EngineKind::PostgreSQL);
    EXPECT_EQ(EngineOf("firebird:host=servidor"), EngineKind::Firebird);
    EXPECT_EQ(EngineOf("/tmp/x.fdb"), EngineKind::Firebird);
}

TEST(FirebirdDatabaseName, NothingAfterThePrefixIsRefusedWhenOpened) {
    EXPECT_THROW(hostfw::OpenDatabase("firebird:"), hostfw::Exception);
}

}  // namespace
