// The desktop host without a screen: a message that says how to run without one, status 2,
// and never Qt's own abort.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class DesktopStart : public ::testing::Test {
protected:
    DesktopStart() { fs::create_directories(folder); }
    ~DesktopStart() override {
        fs::remove_all(folder);
        if (savedDisplay)
            setenv("DISPLAY", savedDisplay->c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

    hostapptest::Finished Host(const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {EXP036_BIN_DIR "/exp036-host", "--db", "x.sqlite"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return hostapptest::RunProgram(folder, arguments,
                                       {.unsetVariables = {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}});
    }

    const fs::path folder =
        fs::temp_directory_path() / ("exp036_desktop_" + std::to_string(getpid()));
    const std::optional<std::string> savedDisplay =
        std::getenv("DISPLAY") != nullptr ? std::optional<std::string>(std::getenv("DISPLAY"))
                                          : std::nullopt;
};

TEST_F(DesktopStart, WithoutADisplayTheWindowAndTheGuiScriptSayHowToRunHeadless) {
    unsetenv("DISPLAY");
    for (const auto& options : {std::vector<std::string>{}, {"--gui", "--script", "s.ui"}}) {
        const auto run = Host(options);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_THAT(run.err, HasSubstr("Não há tela para abrir a janela"));
        EXPECT_THAT(run.err, HasSubstr("--script ARQUIVO"));
        EXPECT_THAT(run.err, HasSubstr("QT_QPA_PLATFORM=offscreen"));
    }
}

TEST_F(DesktopStart, ADisplayThatDoesNotAnswerIsNamed) {
    setenv("DISPLAY", ":97", 1);
    const auto run = Host({});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_THAT(run.err, HasSubstr("A tela :97 não responde."));
}

}  // namespace
