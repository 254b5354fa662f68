#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/data/engine.h"
#include "support/firebird_database.h"
#include "unit/data/engine_test_support.h"

namespace datatest {

// A fresh Firebird database for each test, embedded (FbEmbedded, in every run) or on a
// throw-away server (FbServer, under tests/firebird/with_firebird.sh), and a connection to it.
class FirebirdEngineTest : public ::testing::TestWithParam<testsupport::FirebirdPlace> {
protected:
    void SetUp() override {
        if (GetParam() == testsupport::FirebirdPlace::Server &&
            !testsupport::FirebirdServerAvailable())
            GTEST_SKIP() << "sem servidor Firebird (tests/firebird/with_firebird.sh)";
        database = std::make_unique<testsupport::FirebirdTestDatabase>(GetParam());
        engine = hostfw::OpenDatabase(database->Connection());
    }

    hostfw::Variant Scalar(const std::string& sql,
                           const hostfw::TParams& params = hostfw::TParams()) {
        return datatest::Scalar(*engine, sql, params);
    }

    // Rows 1..count in table T (V INTEGER), inserted by the database itself.
    void MakeNumbers(int count) {
        engine->ExecuteScript(
            "CREATE TABLE T (V INTEGER);\n"
            "SET TERM ^ ;\n"
            "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN\n"
            "  WHILE (I <= " +
            std::to_string(count) +
            ") DO BEGIN INSERT INTO T VALUES (:I); I = I + 1; END\n"
            "END^\n"
            "SET TERM ; ^");
    }

    std::unique_ptr<testsupport::FirebirdTestDatabase> database;
    std::shared_ptr<hostfw::Engine> engine;
};

}  // namespace datatest
