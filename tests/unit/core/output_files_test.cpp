// Output only ever replaces a regular file, whole, and a write the system refuses is never
// taken for success.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "host/core/checked_output.h"
#include "host/core/output_target.h"
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

TEST_F(OutputFiles, TheLastBufferedWriteIsCheckedToo) {
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    hostfw::CheckedOutput out(full, "a saída padrão");
    out << "uma linha\n";  // still in the buffer
    EXPECT_EQ(FailureOf([&] { out.Finish(); }), "Falha ao gravar a saída padrão (disco cheio).");
    close(full);
}

}  // namespace
