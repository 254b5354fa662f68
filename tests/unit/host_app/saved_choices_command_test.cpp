// Saved choices and the last query across runs of the real host: each run is a fresh process
// over the same database, as after a restart; a SQLite file and an embedded Firebird file alike.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/core/system_login.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using hostapptest::Finished;
using hostapptest::RunProgram;

class SavedChoicesCommand : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("exp036_presets_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const Finished made =
            RunProgram(folder_, {EXP036_BIN_DIR "/exp036-demodb", GetParam(), "--test-data"});
        ASSERT_EQ(made.status, 0) << made.err;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::vector<std::string> Host(const std::vector<std::string>& more) const {
        std::vector<std::string> arguments = {EXP036_BIN_DIR "/exp036-host", "--db", GetParam(),
                                              "--reports", EXP036_SOURCE_DIR "/reports"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }

    Finished Report(const std::vector<std::string>& more) const {
        std::vector<std::string> arguments =
            Host({"report", "--branch", "0001", "--format", "csv"});
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunProgram(folder_, arguments);
    }

    Finished Script(const std::string& lines) const {
        std::ofstream(folder_ / "s.ui") << lines;
        return RunProgram(folder_, Host({"--branch", "0001", "--script", "s.ui"}));
    }

    // Whose choices the host keeps without a sign-in: the system login's.
    static hostfw::ChoiceOwner Person() { return {hostfw::SystemLogin(), "0001"}; }

    fs::path folder_;
};

TEST_P(SavedChoicesCommand, TheLastQueryComesBackInTheNextRun) {
    const Finished first =
        Report({"--from", "01/01/2025", "--to", "31/12/2025", "--clients", "11"});
    ASSERT_EQ(first.status, 0) << first.err;
    const Finished again = Report({"--last"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(again.out.find("João da Silva"), std::string::npos) << again.out;
}

TEST_P(SavedChoicesCommand, WithoutARunThereIsNoLastQueryToRepeat) {
    const Finished finished = Report({"--last"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err,
              "exp036-host: Ainda não há última consulta deste relatório para repetir.\n");
}

TEST_P(SavedChoicesCommand, ASavedChoiceRunsFromTheCommandLineAndOtherOptionsGoOverIt) {
    const Finished saved = Script(
        "open null\n"
        "date depInicial \"01/01/2025\"\ndate depFinal \"31/12/2025\"\n"
        "click rdbLCli\npick 1\nclick btnCli\n"
        "preset save \"do João\"\nclose\n");
    ASSERT_EQ(saved.status, 0) << saved.err << saved.out;
    const Finished preset = Report({"--preset", "do João"});
    ASSERT_EQ(preset.status, 0) << preset.err;
    EXPECT_NE(preset.out.find("João da Silva"), std::string::npos) << preset.out;
    EXPECT_EQ(preset.out.find("Café & Cia"), std::string::npos) << preset.out;

    const Finished over = Report({"--preset", "do João", "--clients", "11"});
    ASSERT_EQ(over.status, 0) << over.err;
    EXPECT_EQ(over.out.find("João da Silva"), std::string::npos) << over.out;
    EXPECT_NE(over.out.find("Café & Cia"), std::string::npos) << over.out;
}

TEST_P(SavedChoicesCommand, AnUnknownNameAndANameTakenTwiceAreRefusedClearly) {
    const Finished unknown = Report({"--preset", "nada"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "exp036-host: Não há consulta salva com o nome \"nada\".\n");

    const Finished twice = Script("open null\npreset save \"x\"\npreset save \"x\"\n");
    EXPECT_EQ(twice.status, 1);
    EXPECT_NE(twice.err.find("Já existe uma consulta salva com o nome \"x\". Escolha outro nome."),
              std::string::npos)
        << twice.err;
}

TEST_P(SavedChoicesCommand, PresetAndLastTogetherAreABadCommandLine) {
    EXPECT_EQ(Report({"--preset", "x", "--last"}).status, 2);
}

TEST_P(SavedChoicesCommand, ChangesThatCannotBeMadeStopTheScriptWithTheReason) {
    ASSERT_EQ(Script("open null\npreset save \"a\"\npreset save \"b\"\n").status, 0);
    const auto refusal = [&](const std::string& line) {
        const Finished finished = Script("open null\n" + line + "\n");
        EXPECT_EQ(finished.status, 1) << line;
        return finished.err;
    };
    EXPECT_NE(refusal("preset rename \"a\" \"b\"")
                  .find("Já existe uma consulta salva com o nome \"b\". Escolha outro nome."),
              std::string::npos);
    EXPECT_NE(
        refusal("preset rename \"zz\" \"c\"").find("Não há consulta salva com o nome \"zz\"."),
        std::string::npos);
    EXPECT_NE(refusal("preset share \"zz\"").find("Não há consulta salva com o nome \"zz\"."),
              std::string::npos);
    EXPECT_NE(refusal("preset rename \"a\"").find("uso: preset save"), std::string::npos);
    EXPECT_NE(
        refusal("expect presets \"b\" \"a\"").find("esperado \"b\" \"a\", obtido \"a\" \"b\""),
        std::string::npos);
    EXPECT_EQ(Script("open null\nexpect presets \"a\" \"b\"\n").status, 0) << "nothing changed";
}

TEST_P(SavedChoicesCommand, AColleaguesSharedChoiceIsAppliedAndListedButNotChanged) {
    {
        const auto engine = hostfw::OpenDatabase((folder_ / GetParam()).string());
        hostfw::CreateSavedChoicesTable(*engine);
        hostfw::SaveChoice(*engine, {"colega", "0001"}, "EXP036", "dela", true,
                           "{\"clients\":[\"11\"]}");
    }
    const Finished applied = Script(
        "open null\nexpect presets \"dela\"\nexpect preset \"dela\" shared\n"
        "preset apply \"dela\"\nexpect var stListaCliente \",11,\"\n");
    EXPECT_EQ(applied.status, 0) << applied.err;

    for (const std::string line : {"preset rename \"dela\" \"minha\"", "preset delete \"dela\"",
                                   "preset private \"dela\""}) {
        const Finished refused = Script("open null\n" + line + "\n");
        EXPECT_EQ(refused.status, 1) << line;
        EXPECT_NE(refused.err.find("A consulta salva \"dela\" é de colega: só quem a salvou pode "
                                   "renomeá-la, excluí-la ou mudar quem a vê."),
                  std::string::npos)
            << refused.err;
    }
    EXPECT_EQ(Script("open null\nexpect preset \"dela\" shared\n").status, 0);

    // The report command reaches it in the branch it runs for.
    const Finished run = Report({"--preset", "dela", "--from", "01/01/2025", "--to", "31/12/2025"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("João da Silva"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Café & Cia"), std::string::npos) << run.out;
}

TEST_P(SavedChoicesCommand, AnUntypedRowStillRunsAndANewChoiceIsKeptAsVersionedText) {
    {
        const auto engine = hostfw::OpenDatabase((folder_ / GetParam()).string());
        hostfw::CreateSavedChoicesTable(*engine);
        hostfw::SaveChoice(*engine, Person(), "EXP036", "antiga", false,
                           R"({"from":"01/01/2025","to":"31/12/2025","clients":["1","999"]})");
    }
    const Finished old = Report({"--preset", "antiga"});
    ASSERT_EQ(old.status, 0) << old.err;
    EXPECT_NE(old.out.find("João da Silva"), std::string::npos) << old.out;
    EXPECT_EQ(old.out.find("Café & Cia"), std::string::npos) << old.out;
    EXPECT_NE(old.err.find("\"999\" não existe mais em 'Cliente' e ficou fora da consulta."),
              std::string::npos)
        << old.err;

    ASSERT_EQ(Script("open null\npreset apply \"antiga\"\npreset save \"nova\"\n").status, 0);
    const auto engine = hostfw::OpenDatabase((folder_ / GetParam()).string());
    const auto kept = hostfw::FindChoice(*engine, Person(), "EXP036", "nova");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->choices.rfind("{\"controls\":", 0), 0u) << kept->choices;
    EXPECT_NE(kept->choices.find("\"version\":2"), std::string::npos) << kept->choices;
    EXPECT_NE(kept->choices.find("{\"keys\":[\"1\"],\"opener\":\"btnCli\"}"), std::string::npos)
        << kept->choices;
}

INSTANTIATE_TEST_SUITE_P(Sqlite, SavedChoicesCommand, ::testing::Values("test.sqlite"),
                         [](const auto&) { return std::string("sqlite"); });
INSTANTIATE_TEST_SUITE_P(FbEmbedded, SavedChoicesCommand, ::testing::Values("test.fdb"),
                         [](const auto&) { return std::string("firebird"); });

}  // namespace
