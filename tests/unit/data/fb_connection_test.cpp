// Connections to Firebird: the shared database built on them, a connection ended from outside,
// two programs on one embedded file, and what opening refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "db/demo_data.h"
#include "db/shared_database_build.h"
#include "host/core/child_process.h"
#include "host/core/exception.h"
#include "host/data/audit_trail.h"
#include "host/data/data_context.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "host/data/sign_in_refused.h"
#include "support/closed_port.h"
#include "support/failure_of.h"
#include "support/firebird_database.h"
#include "support/test_folder.h"
#include "unit/data/engine_test_support.h"
#include "unit/data/fb_engine_fixture.h"

namespace {

using datatest::WithValue;
using hostfw::Engine;
using hostfw::TParams;
using hostfw::Variant;
using ::testing::StartsWith;
using testsupport::FailureOf;
using testsupport::FirebirdPlace;

class FbDatabase : public datatest::FirebirdEngineTest {};

TEST_P(FbDatabase, ADroppedConnectionIsBrokenAndTheSessionOpensANewOne) {
    hostfw::DataContext context;
    context.Session().database = database->Connection();
    const std::shared_ptr<Engine> first = context.Database().Open();
    EXPECT_FALSE(first->IsBroken());
    // Ends the attachment from another one, as an administrator (or a server shutdown) does.
    const Variant id = datatest::Scalar(*first, "SELECT CURRENT_CONNECTION FROM RDB$DATABASE", {});
    engine->Execute("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = :ID",
                    WithValue("ID", id));
    EXPECT_THROW(first->Query("SELECT 1 FROM RDB$DATABASE", TParams()), hostfw::Exception);
    EXPECT_TRUE(first->IsBroken());

    const std::shared_ptr<Engine> second = context.Database().Open();
    EXPECT_NE(second, first);
    EXPECT_EQ(datatest::Scalar(*second, "SELECT 2 FROM RDB$DATABASE", {}), Variant(2));
}

TEST_P(FbDatabase, SharedSchemaAndTestRowsLoad) {
    demodb::BuildTestDatabase(*engine);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NOTAFISCAL"), Variant(7));
    EXPECT_EQ(Scalar("SELECT VRTOTALNF FROM NOTAFISCAL WHERE NRLANCTONF = '6'"), Variant(12345.67));
    EXPECT_EQ(Scalar("SELECT DTCANCEXPED FROM EXPEDICAO WHERE NRLANCTONF = '4'"),
              Variant("2025-01-23"));
    EXPECT_EQ(Scalar("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE = '3'"),
              Variant("Maria D'Ávila"));
    // Whole keys of a list: "11" is in ",1,3," only as part of a longer key.
    EXPECT_EQ(Scalar("SELECT LIST(NRLANCTONF, ' ') FROM (SELECT NRLANCTONF FROM NOTAFISCAL "
                     "WHERE POSITION(',' || CDCLIENTE || ',' IN "
                     "CAST(:P_CDCLIENTE AS BLOB SUB_TYPE TEXT)) > 0 ORDER BY NRLANCTONF)",
                     WithValue("P_CDCLIENTE", ",1,3,")),
              Variant("1 4 5 7"));
    EXPECT_THROW(demodb::BuildTestDatabase(*engine), hostfw::Exception) << "tables exist";
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NOTAFISCAL"), Variant(7));
}

TEST_P(FbDatabase, TheFrameworksTablesAreCreatedOnceAndTheSchemaDroppedWhole) {
    demodb::BuildTestDatabase(*engine);
    engine->Execute(
        "INSERT INTO CONSULTA_SALVA (PESSOA, FILIAL, RELATORIO, NOME, ESCOLHAS) "
        "VALUES ('ana', '0001', 'EXP036', '', '{}')",
        TParams());
    // They exist: they stay as they are.
    hostfw::CreateSavedChoicesTable(*engine);
    hostfw::CreateAuditTable(*engine);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM CONSULTA_SALVA"), Variant(1));
    demodb::DropSchema(*engine);
    demodb::DropSchema(*engine);  // nothing left to drop is no failure
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                     "('FILIAL', 'CLIENTE', 'NOTAFISCAL', 'EXPEDICAO', 'CONSULTA_SALVA')"),
              Variant(1));
}

TEST_P(FbDatabase, ADemoBuildThatCannotDropTheOldTablesChangesNothing) {
    if (GetParam() == FirebirdPlace::Server)
        GTEST_SKIP() << "the same on the server, after the same lock wait";
    demodb::BuildTestDatabase(*engine);
    // Another connection holds a statement on FILIAL, so FILIAL cannot be dropped.
    const auto other = hostfw::OpenDatabase(database->Connection());
    EXPECT_EQ(datatest::Scalar(*other, "SELECT COUNT(*) FROM FILIAL", {}), Variant(3));
    demodb::DemodbOptions options;
    options.force = true;
    options.invoices = 10;
    EXPECT_THROW(demodb::BuildSharedDatabase(*engine, options), hostfw::Exception);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NOTAFISCAL"), Variant(7)) << "the old tables stay";
}

// The host and its application server open the person's one file at the same time.
TEST(FbEmbeddedFile, TwoProgramsOpenItAtOnce) {
    const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-fb");
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "dois.fdb").string();
    demodb::BuildTestDatabase(*hostfw::OpenDatabase(file, true));
    {
        // A statement prepared on the tables would keep the other program from replacing them.
        const auto here = hostfw::OpenDatabase(file);
        EXPECT_EQ(datatest::Scalar(*here, "SELECT 1 FROM RDB$DATABASE", {}), Variant(1));
        EXPECT_EQ(
            hostfw::RunProgram({EXP036_BIN_DIR "/exp036-demodb", file, "--test-data", "--force"}),
            0);
        EXPECT_EQ(datatest::Scalar(*here, "SELECT COUNT(*) FROM NOTAFISCAL", {}), Variant(7));
    }
    std::filesystem::remove_all(folder);
}

void NoteSignal(int) {}

// Firebird's client library would take SIGINT and SIGTERM over on its first attachment, and a
// program would then go on running after Ctrl+C or a stop.
TEST(FirebirdConnection, OpeningLeavesTheProgramsSignalHandlingAsItWas) {
    struct sigaction own {};
    own.sa_handler = NoteSignal;
    struct sigaction interruptBefore {
    }, terminateBefore{};
    sigaction(SIGINT, &own, &interruptBefore);
    sigaction(SIGTERM, nullptr, &terminateBefore);
    {
        const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-fb");
        std::filesystem::create_directories(folder);
        hostfw::OpenDatabase((folder / "sinais.fdb").string(), true);
        std::filesystem::remove_all(folder);
    }
    struct sigaction interruptAfter {
    }, terminateAfter{};
    sigaction(SIGINT, &interruptBefore, &interruptAfter);
    sigaction(SIGTERM, nullptr, &terminateAfter);
    EXPECT_EQ(interruptAfter.sa_handler, &NoteSignal);
    EXPECT_EQ(terminateAfter.sa_handler, terminateBefore.sa_handler);
}

TEST(FirebirdConnection, AMissingEmbeddedFileIsNeverCreatedByAccident) {
    const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-fb");
    const std::string file = (folder / "nada.fdb").string();
    EXPECT_EQ(FailureOf([&] { hostfw::OpenDatabase(file); }),
              "Banco de dados não encontrado: " + file);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(FirebirdConnection, AnUnreachableServerIsAClearFailure) {
    const std::string name =
        "127.0.0.1/" + std::to_string(nettest::ClosedLoopbackPort()) + ":/dados/exp036.fdb";
    EXPECT_THAT(FailureOf([&] { hostfw::OpenDatabase(name); }),
                StartsWith("Não foi possível abrir o banco de dados Firebird " + name + ": "));
}

// Restores an environment variable the test changes.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable() {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> value_;
};

// The server checks the login, and what it refuses is told apart as the sign-in needs it.
TEST(FbServerSignIn, AMissingOrWrongPasswordIsASignInRefusal) {
    if (!testsupport::FirebirdServerAvailable())
        GTEST_SKIP() << "sem servidor Firebird (tests/firebird/with_firebird.sh)";
    const std::string url = std::getenv("EXP036_FB_URL");
    const std::string password = std::getenv("ISC_PASSWORD");
    const auto checked = hostfw::OpenDatabase(url)->CheckedCredentials();
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->user, "SYSDBA");
    EXPECT_EQ(checked->password, password);

    const auto refusal = [](const std::function<void()>& open) {
        try {
            open();
        } catch (const hostfw::SignInRefused& refused) {
            return refused.WhyRefused();
        }
        ADD_FAILURE() << "aceito";
        return hostfw::SignInRefused::Reason::PasswordNeeded;
    };
    EXPECT_EQ(refusal([&] {
                  hostfw::OpenDatabaseAs(url, {"SYSDBA", "errada"});
              }),
              hostfw::SignInRefused::Reason::NotAccepted);
    {
        const SavedVariable saved("ISC_PASSWORD");
        unsetenv("ISC_PASSWORD");
        EXPECT_EQ(refusal([&] { hostfw::OpenDatabase(url); }),
                  hostfw::SignInRefused::Reason::PasswordNeeded);
        const auto engine = hostfw::OpenDatabaseAs(url, {"sysdba", password});
        EXPECT_EQ(datatest::Scalar(*engine, "SELECT CURRENT_USER FROM RDB$DATABASE", {}),
                  Variant("SYSDBA"));
    }
}

INSTANTIATE_TEST_SUITE_P(FbEmbedded, FbDatabase, ::testing::Values(FirebirdPlace::Embedded),
                         testsupport::FirebirdPlaceName);
INSTANTIATE_TEST_SUITE_P(FbServer, FbDatabase, ::testing::Values(FirebirdPlace::Server),
                         testsupport::FirebirdPlaceName);

}  // namespace
