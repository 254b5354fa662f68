#include "support/server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace servertest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStartLimit = std::chrono::seconds(20);
constexpr auto kStopLimit = std::chrono::seconds(20);

std::string ServerBinary(ServerProgram program) {
    return std::string(EXP036_BIN_DIR) +
           (program == ServerProgram::Test ? "/exp036-appserver-test" : "/exp036-appserver");
}

std::filesystem::path FreshLogPath() {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           ("exp036-appserver-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
            ".log");
}

// Forks and execs the server with stdout into `outFd` and stderr into `errFd`.
pid_t Spawn(ServerProgram program, const std::vector<std::string>& options, int outFd, int errFd) {
    std::vector<std::string> args{ServerBinary(program)};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status once the process ends within the limit; -1 otherwise.
int WaitForExit(pid_t pid, Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < deadline) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

// Reads the first line from the pipe, giving up at the deadline or at the end of output.
std::string FirstLine(int fd, Clock::time_point deadline) {
    std::string line;
    char c = 0;
    while (Clock::now() < deadline) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        if (read(fd, &c, 1) != 1)
            break;
        if (c == '\n')
            return line;
        line += c;
    }
    return line;
}

}  // namespace

ServerProcess::ServerProcess(const std::vector<std::string>& options, ServerProgram program)
    : logPath_(FreshLogPath()) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    const int errFd = open(logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::vector<std::string> all = options;
    all.insert(all.end(), {"--port", "0"});
    pid_ = Spawn(program, all, out[1], errFd);
    close(out[1]);
    close(errFd);

    const std::string line = FirstLine(out[0], Clock::now() + kStartLimit);
    close(out[0]);
    const std::string prefix = "listening on ";
    const auto colon = line.rfind(':');
    if (line.rfind(prefix, 0) != 0 || colon == std::string::npos) {
        Stop(SIGKILL);
        throw std::runtime_error("the server did not start: '" + line + "' " + Log());
    }
    host_ = line.substr(prefix.size(), colon - prefix.size());
    port_ = std::stoi(line.substr(colon + 1));
}

ServerProcess::~ServerProcess() {
    if (Running())
        Stop(SIGTERM);
    std::error_code ignored;
    std::filesystem::remove(logPath_, ignored);
}

int ServerProcess::Stop(int signal) {
    if (!Running())
        return -1;
    kill(pid_, signal);
    const int status = WaitForExit(pid_, kStopLimit);
    pid_ = -1;
    return status;
}

std::string ServerProcess::Log() const {
    std::ifstream in(logPath_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int RunServerToEnd(const std::vector<std::string>& options, std::string& output,
                   ServerProgram program) {
    const std::filesystem::path path = FreshLogPath();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = Spawn(program, options, fd, fd);
    close(fd);
    const int status = WaitForExit(pid, kStopLimit);
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    output = text.str();
    std::filesystem::remove(path);
    return status;
}

}  // namespace servertest
