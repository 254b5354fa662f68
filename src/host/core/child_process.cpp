#include "host/core/child_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

extern char** environ;

namespace hostfw {

std::optional<std::filesystem::path> FindProgram(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos)
        return std::nullopt;
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t colon = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, colon - start);
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : folder) / name;
        if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
            return candidate;
        }
        start = colon + 1;
    }
    return std::nullopt;
}

int RunProgram(const std::vector<std::string>& argv) {
    if (argv.empty())
        throw Exception("Nenhum programa para executar.");
    std::vector<std::string> copies = argv;  // posix_spawn wants writable strings
    std::vector<char*> arguments;
    for (std::string& argument : copies)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);
    // A program may ignore SIGPIPE for its own writes; the child gets the usual behaviour back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t standard;
    sigemptyset(&standard);
    sigaddset(&standard, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &standard);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t child = 0;
    const int error =
        posix_spawnp(&child, arguments[0], nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        throw Exception("Não foi possível executar '" + argv[0] + "' (" + SystemErrorText(error) +
                        ").");
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            throw Exception("Falha ao aguardar '" + argv[0] + "'.");
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace hostfw
