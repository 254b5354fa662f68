// exp036-host --script end to end: what it refuses before it runs a line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/test_folder.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;

TEST(ScriptCommand, AFolderGivenAsTheScriptIsRefusedBeforeTheRun) {
    const fs::path folder = testsupport::PrivateTestFolder("exp036-script");
    fs::create_directories(folder / "scripts");
    const hostapptest::Finished finished = hostapptest::RunProgram(
        folder, {EXP036_BIN_DIR "/exp036-host", "--package", FAKE_PACKAGE, "--script", "scripts"});
    fs::remove_all(folder);
    EXPECT_EQ(finished.status, 2);
    EXPECT_EQ(finished.err, "exp036-host: O script 'scripts' é uma pasta.\n");
    EXPECT_EQ(finished.out, "");
}

}  // namespace
