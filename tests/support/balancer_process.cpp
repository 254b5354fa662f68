#include "support/balancer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "host/core/child_process.h"
#include "support/closed_port.h"
#include "support/raw_http.h"

namespace servertest {
namespace {

// The shipped configuration with the test's addresses: the log line goes (no syslog here).
std::string TestConfiguration(const std::vector<int>& serverPorts, const std::string& source,
                              int port) {
    std::ifstream in(std::string(EXP036_SOURCE_DIR) + "/packaging/haproxy/exp036.cfg");
    std::stringstream shipped;
    shipped << in.rdbuf();
    std::string text = shipped.str();
    if (text.empty())
        throw std::runtime_error("packaging/haproxy/exp036.cfg não foi lido");
    text = std::regex_replace(text, std::regex(R"(\n *log /dev/log[^\n]*)"), "");
    text = std::regex_replace(text, std::regex(R"(\n *server s[0-9]+ [^\n]*)"), "");
    text = std::regex_replace(text, std::regex(R"(bind 127\.0\.0\.1:8210)"),
                              "bind 127.0.0.1:" + std::to_string(port));
    text = std::regex_replace(text, std::regex(R"(default-server )"),
                              "default-server source " + source + " ");
    for (std::size_t i = 0; i < serverPorts.size(); ++i) {
        text += "    server s" + std::to_string(i + 1) +
                " 127.0.0.1:" + std::to_string(serverPorts[i]) + "\n";
    }
    return text;
}

bool Serving(int port) {
    try {
        RawConnection connection("127.0.0.1", port);
        connection.Send(HttpRequest("GET", "/health", "", false));
        const auto reply = connection.ReadReply();
        return reply && reply->status == 200;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

BalancerProcess::BalancerProcess(const std::vector<int>& serverPorts, const std::string& source,
                                 const std::filesystem::path& folder) {
    // Debian puts it in /usr/sbin, which a user's PATH may lack.
    std::string binary = "/usr/sbin/haproxy";
    if (const auto found = hostfw::FindProgram("haproxy"))
        binary = found->string();
    if (!std::filesystem::exists(binary))
        throw std::runtime_error("HAProxy não está instalado (tools/install-deps.sh)");
    port_ = nettest::ClosedLoopbackPort();
    const auto configuration = folder / "haproxy.cfg";
    std::ofstream(configuration) << TestConfiguration(serverPorts, source, port_);
    const auto log = folder / "haproxy.log";
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execl(binary.c_str(), binary.c_str(), "-db", "-f", configuration.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // Serving once its checks have found a server up.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!Serving(port_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_ ||
            std::chrono::steady_clock::now() > deadline) {
            std::ifstream written(log);
            std::stringstream text;
            text << written.rdbuf();
            throw std::runtime_error("o HAProxy não começou a atender: " + text.str());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

BalancerProcess::~BalancerProcess() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

}  // namespace servertest
