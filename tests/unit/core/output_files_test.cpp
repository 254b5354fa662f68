// Output only ever replaces a regular file, whole, and a write the system refuses is never
// taken for success.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "host/core/checked_output.h"
#include "host/core/output_target.h"
#include "host/core/scratch_cleanup.h"
#include "host/core/staged_file.h"
#include "support/failure_of.h"
#include "support/file_size_limit.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FailureOf;

class OutputFiles : public ::testing::Test {
protected:
    OutputFiles() { fs::create_directories(folder); }
    ~OutputFiles() override { fs::remove_all(folder); }

    std::string Text(const fs::path& file) const {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    // Names in the folder other than `kept`: what a failed write left behind.
    std::vector<std::string> Leftovers(const std::set<std::string>& kept) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (kept.count(entry.path().filename().string()) == 0)
                names.push_back(entry.path().filename().string());
        }
        return names;
    }

    const fs::path folder = testsupport::PrivateTestFolder("exp036-output");
};

TEST_F(OutputFiles, OnlyARegularFileOrNothingIsATarget) {
    std::ofstream(folder / "velho.txt") << "x";
    EXPECT_NO_THROW(hostfw::CheckOutputTarget(folder / "velho.txt"));
    EXPECT_NO_THROW(hostfw::CheckOutputTarget(folder / "novo.txt"));

    fs::create_symlink(folder / "velho.txt", folder / "link");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    const std::string tail = "; a saída só vai para um arquivo comum ou para um arquivo novo.";
    const auto refusal = [&](const char* name) {
        return FailureOf([&] { hostfw::CheckOutputTarget(folder / name); });
    };
    EXPECT_EQ(refusal("link"), "Não é possível gravar em '" + (folder / "link").string() +
                                   "': é um link simbólico" + tail);
    EXPECT_EQ(refusal("fifo"),
              "Não é possível gravar em '" + (folder / "fifo").string() + "': é um FIFO" + tail);
    fs::create_directory(folder / "pasta");
    EXPECT_EQ(refusal("pasta"),
              "Não é possível gravar em '" + (folder / "pasta").string() + "': é uma pasta" + tail);
    // A device node of our own (the null device's numbers) where root may make one.
    if (mknod((folder / "dispositivo").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        EXPECT_EQ(refusal("dispositivo"), "Não é possível gravar em '" +
                                              (folder / "dispositivo").string() +
                                              "': é um dispositivo" + tail);
    }
}

TEST_F(OutputFiles, PublishingNeverReplacesALinkOrAFifoNorWhatALinkPointsAt) {
    std::ofstream(folder / "alvo.txt") << "intacto";
    fs::create_symlink(folder / "alvo.txt", folder / "link");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    for (const char* name : {"link", "fifo"}) {
        hostfw::StagedFile staged(folder, folder / name);
        staged.Stream() << "novo";
        staged.Sync();
        EXPECT_NE(FailureOf([&] { staged.PublishReplacing(folder / name); }), "(nenhuma falha)");
    }
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_EQ(Text(folder / "alvo.txt"), "intacto");
    EXPECT_EQ(Leftovers({"alvo.txt", "link", "fifo"}), std::vector<std::string>{});
}

TEST_F(OutputFiles, AFullDiskFailsTheWriteWithItsReasonAndLeavesTheOldFileAlone) {
    std::ofstream(folder / "r.txt") << "antigo";
    {
        hostfw::StagedFile staged(folder, folder / "r.txt");
        const testsupport::FileSizeLimit limit(1000);
        EXPECT_EQ(FailureOf([&] {
                      staged.Stream() << std::string(5000, 'x');
                      staged.Sync();
                      staged.PublishReplacing(folder / "r.txt");
                  }),
                  "Falha ao gravar '" + (folder / "r.txt").string() + "' (arquivo grande demais).");
    }
    EXPECT_EQ(Text(folder / "r.txt"), "antigo");
    EXPECT_EQ(Leftovers({"r.txt"}), std::vector<std::string>{});
}

// A private report replaced by a run stays private; a new file gets what the umask allows.
TEST_F(OutputFiles, AReplacingFileTakesThePermissionsOfTheFileItReplaces) {
    const fs::path privateFile = folder / "privado.txt";
    std::ofstream(privateFile) << "antigo";
    fs::permissions(privateFile, fs::perms::owner_read | fs::perms::owner_write);
    for (const fs::path& target : {privateFile, folder / "novo.txt"}) {
        hostfw::StagedFile staged(folder, target);
        staged.Stream() << "novo";
        staged.Sync();
        staged.PublishReplacing(target);
    }
    EXPECT_EQ(Text(privateFile), "novo");
    EXPECT_EQ(fs::status(privateFile).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(folder / "novo.txt").permissions() & fs::perms::all),
              0666 & ~mask);
}

// A process ended by SIGTERM removes the scratch it registered, a folder with what it holds
// included, and still ends by the signal.
TEST_F(OutputFiles, ATerminatingSignalRemovesRegisteredScratch) {
    const fs::path scratch = folder / ".exp036-impressao-1-AbC123";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        hostfw::RemoveScratchOnTermination();
        hostfw::StagedFile staged(folder, folder / "r.csv");
        staged.Stream() << "dados do cliente";
        staged.Sync();
        fs::create_directory(scratch);
        for (int i = 0; i < 300; ++i)  // more than one read of the folder's entries
            std::ofstream(scratch / ("pagina-" + std::to_string(i) + ".pdf")) << "%PDF";
        const hostfw::ScratchRegistration registered(scratch,
                                                     hostfw::ScratchRegistration::Kind::Folder);
        if (write(ready[1], "x", 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    EXPECT_EQ(Leftovers({}).size(), 2u) << "the staged file and the folder";
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(Leftovers({}), std::vector<std::string>{});
}

TEST_F(OutputFiles, TheLastBufferedWriteIsCheckedToo) {
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    hostfw::CheckedOutput out(full, "a saída padrão");
    out << "uma linha\n";  // still in the buffer
    EXPECT_EQ(FailureOf([&] { out.Finish(); }), "Falha ao gravar a saída padrão (disco cheio).");
    close(full);
}

}  // namespace
