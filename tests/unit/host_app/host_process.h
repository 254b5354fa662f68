#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace hostapptest {

namespace fs = std::filesystem;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// How the program's side of a run differs: where its standard output goes (a file read back
// afterwards by default), how large a file it may write (unlimited by default) and which of
// the test's environment variables it does not get.
struct RunSetting {
    std::optional<fs::path> standardOutput = {};
    std::optional<rlim_t> fileSizeLimit = {};
    std::vector<std::string> unsetVariables = {};
    // An open descriptor (a pipe) that stands for standard output instead of a file.
    std::optional<int> standardOutputDescriptor = {};
};

// Starts a program in `folder` with exactly these arguments, its output going to files there.
inline pid_t StartProgram(const fs::path& folder, const std::vector<std::string>& arguments,
                          const RunSetting& setting = {}) {
    const fs::path out = setting.standardOutput.value_or(folder / "stdout.txt");
    const fs::path err = folder / "stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        for (const std::string& name : setting.unsetVariables)
            unsetenv(name.c_str());
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        if (setting.fileSizeLimit) {
            // Writes past the limit fail with EFBIG, as on a full disk.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*setting.fileSizeLimit, *setting.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        dup2(setting.standardOutputDescriptor
                 ? *setting.standardOutputDescriptor
                 : open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
             STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// Waits for a program StartProgram started; the status is -1 when a signal ended it, which
// `signal` then names.
inline Finished FinishProgram(const fs::path& folder, pid_t child, const RunSetting& setting = {},
                              int* signal = nullptr) {
    int status = 0;
    waitpid(child, &status, 0);
    if (signal != nullptr)
        *signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    const bool captured = !setting.standardOutput && !setting.standardOutputDescriptor;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            captured ? FileText(folder / "stdout.txt") : "", FileText(folder / "stderr.txt")};
}

// Runs a program in `folder` with exactly these arguments, its output captured.
inline Finished RunProgram(const fs::path& folder, const std::vector<std::string>& arguments,
                           const RunSetting& setting = {}) {
    return FinishProgram(folder, StartProgram(folder, arguments, setting), setting);
}

}  // namespace hostapptest
