// A read-only transaction refuses every statement that would change the database or the
// connection, on both engines, whatever the statement is dressed as.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/transaction.h"
#include "support/failure_of.h"
#include "support/test_folder.h"
#include "unit/data/engine_test_support.h"

namespace {

using hostfw::Engine;
using hostfw::TParams;
using hostfw::Transaction;
using hostfw::TransactionKind;

const std::string kRefused = "Erro no banco de dados: o comando não é permitido";

// Each statement in a transaction of its own (on PostgreSQL a failed statement spoils the
// rest of its transaction); each must fail before it changes anything.
void expectEachRefused(Engine& engine, const std::vector<std::string>& statements) {
    for (const std::string& sql : statements) {
        Transaction transaction(engine, TransactionKind::ReadOnly);
        EXPECT_NE(testsupport::failureOf([&] { engine.Query(sql, TParams()); }), "(nenhuma falha)")
            << sql;
    }
}

// Table T holds one row, V = 1, and what a reading transaction is for still works.
void makeTable(Engine& engine) {
    engine.ExecuteScript("CREATE TABLE T (V INTEGER); INSERT INTO T VALUES (1);");
}

void expectTableUntouched(Engine& engine) {
    EXPECT_EQ(datatest::scalar(engine, "SELECT COUNT(*) || '/' || SUM(V) FROM T", TParams()),
              hostfw::Variant("1/1"));
}

const std::vector<std::string> kWritesOnBothEngines = {
    "DROP TABLE T",
    "DELETE FROM T",
    "INSERT INTO T VALUES (2) RETURNING V",
    "UPDATE T SET V = 100 RETURNING V",
    "CREATE TEMP TABLE X AS SELECT * FROM T",
};

class ReadOnlySqlite : public ::testing::Test {
protected:
    ReadOnlySqlite() {
        std::filesystem::create_directories(folder);
        engine = hostfw::OpenDatabase((folder / "base.sqlite").string(), true);
        makeTable(*engine);
    }
    ~ReadOnlySqlite() override {
        engine.reset();
        std::filesystem::remove_all(folder);
    }

    const std::filesystem::path folder = testsupport::privateTestFolder("exp036-readonly");
    std::shared_ptr<Engine> engine;
};

TEST_F(ReadOnlySqlite, NoStatementChangesTheDatabaseOrReachesAnotherFile) {
    const std::string copy = (folder / "copia.sqlite").string();
    expectEachRefused(*engine, kWritesOnBothEngines);
    expectEachRefused(*engine, {"WITH X AS (SELECT 1) UPDATE T SET V = 5 RETURNING V",
                                "VACUUM INTO '" + copy + "'", "ATTACH '" + copy + "' AS OUTRA",
                                "PRAGMA user_version = 7", "SAVEPOINT S", "COMMIT"});
    expectTableUntouched(*engine);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(datatest::scalar(*engine, "PRAGMA user_version", TParams()), hostfw::Variant(0));
}

TEST_F(ReadOnlySqlite, AStatementCompiledBeforeIsJudgedAgain) {
    const std::string update = "UPDATE T SET V = V + 1 WHERE V < 0";
    engine->Execute(update, TParams());  // now kept compiled by the connection
    {
        Transaction transaction(*engine, TransactionKind::ReadOnly);
        EXPECT_EQ(testsupport::failureOf([&] { engine->Execute(update, TParams()); }),
                  kRefused + ": esta consulta só pode ler dados");
    }
    expectTableUntouched(*engine);
}

TEST_F(ReadOnlySqlite, ReadsWorkInsideAndWritesAgainAfterwards) {
    {
        Transaction transaction(*engine, TransactionKind::ReadOnly);
        expectTableUntouched(*engine);
    }
    engine->Execute("UPDATE T SET V = 2", TParams());
    EXPECT_EQ(datatest::scalar(*engine, "SELECT V FROM T", TParams()), hostfw::Variant(2));
}

// The same on a PostgreSQL server (EXP036_PG_URL, a private schema); skipped without one.
class PgReadOnly : public ::testing::Test {
protected:
    void SetUp() override {
        const char* url = std::getenv("EXP036_PG_URL");
        if (url == nullptr || *url == '\0')
            GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
        schema =
            std::string("ro_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        engine =
            hostfw::OpenDatabase(std::string(url) + " options='-c search_path=" + schema + "'");
        engine->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " +
                              schema + "; CREATE SEQUENCE S;");
        makeTable(*engine);
    }
    void TearDown() override {
        if (engine)
            engine->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    }

    std::string schema;
    std::shared_ptr<Engine> engine;
};

TEST_F(PgReadOnly, NoStatementChangesTheDatabase) {
    expectEachRefused(*engine, kWritesOnBothEngines);
    expectEachRefused(*engine, {"WITH U AS (UPDATE T SET V = 5 RETURNING V) SELECT * FROM U",
                                "SELECT nextval('S')", "SELECT * FROM T FOR UPDATE",
                                "SELECT set_config('transaction_read_only', 'off', true)",
                                "SELECT V INTO NOVA FROM T"});
    expectTableUntouched(*engine);
    EXPECT_EQ(datatest::scalar(*engine,
                               "SELECT CASE WHEN is_called THEN 'usada' ELSE 'nova' END "
                               "FROM S",
                               TParams()),
              hostfw::Variant("nova"));
}

TEST_F(PgReadOnly, ASettingChangedInsideIsUndoneAndWritesWorkAgainAfterwards) {
    {
        Transaction transaction(*engine, TransactionKind::ReadOnly);
        datatest::scalar(*engine, "SELECT set_config('search_path', 'public', false)", TParams());
    }
    expectTableUntouched(*engine);  // T is found through the schema's own search path
    engine->Execute("UPDATE T SET V = 2", TParams());
    EXPECT_EQ(datatest::scalar(*engine, "SELECT V FROM T", TParams()), hostfw::Variant(2));
}

}  // namespace
