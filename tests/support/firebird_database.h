#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "host/core/child_process.h"
#include "host/data/engine.h"
#include "support/test_folder.h"

namespace testsupport {

// Where a Firebird test database lives: a file the test opens itself, or a database on the
// throw-away server tests/firebird/with_firebird.sh started.
enum class FirebirdPlace { Embedded, Server };

// How GoogleTest shows the parameter.
inline void PrintTo(FirebirdPlace place, std::ostream* out) {
    *out << (place == FirebirdPlace::Embedded ? "embutido" : "servidor");
}

// How a parameterised test names its place: "FbEmbedded/Suite.Test/embutido".
inline std::string FirebirdPlaceName(const ::testing::TestParamInfo<FirebirdPlace>& info) {
    return info.param == FirebirdPlace::Embedded ? "embutido" : "servidor";
}

// True inside with_firebird.sh, which names its server and a folder it may create databases in.
inline bool FirebirdServerAvailable() {
    const char* server = std::getenv("EXP036_FB_SERVER");
    const char* folder = std::getenv("EXP036_FB_DIR");
    return server != nullptr && *server != '\0' && folder != nullptr && *folder != '\0';
}

// A new, empty Firebird database (UTF-8) for the running test, named after it. An embedded one
// lies in a private folder removed afterwards; a server's goes with the server's folder.
class FirebirdTestDatabase {
public:
    explicit FirebirdTestDatabase(FirebirdPlace place) : folder_(PrivateTestFolder("exp036-fb")) {
        if (place == FirebirdPlace::Embedded) {
            std::filesystem::create_directories(folder_);
            connection_ = (folder_ / "teste.fdb").string();
        } else {
            connection_ = std::string(std::getenv("EXP036_FB_SERVER")) + ":" +
                          std::getenv("EXP036_FB_DIR") + "/" + folder_.filename().string() + ".fdb";
        }
        hostfw::OpenDatabase(connection_, true);
        // Writes the disk need not wait for: the database goes with the test.
        hostfw::RunProgram({"gfix", "-write", "async", connection_});
    }
    ~FirebirdTestDatabase() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    FirebirdTestDatabase(const FirebirdTestDatabase&) = delete;
    FirebirdTestDatabase& operator=(const FirebirdTestDatabase&) = delete;

    // As OpenDatabase takes it.
    const std::string& Connection() const { return connection_; }

private:
    std::filesystem::path folder_;
    std::string connection_;
};

}  // namespace testsupport
