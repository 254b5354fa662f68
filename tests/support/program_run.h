#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport {

struct ProgramRun {
    int status = -1;  // the exit status; -1 when the program did not exit (a signal, an abort)
    std::string out;
    std::string err;
};

// Runs a program in `folder` with exactly these arguments and the test's environment less the
// variables named in `unset`, its output captured.
inline ProgramRun RunProgramIn(const std::filesystem::path& folder,
                               const std::vector<std::string>& arguments,
                               const std::vector<std::string>& unset = {}) {
    const std::filesystem::path out = folder / "stdout.txt";
    const std::filesystem::path err = folder / "stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        for (const std::string& name : unset)
            unsetenv(name.c_str());
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto text = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(out), text(err)};
}

}  // namespace testsupport
