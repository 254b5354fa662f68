#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace servertest {

// Which server program runs: the shipped one, or the tests' one with the test object and
// GetNota's test modes.
enum class ServerProgram { Shipped, Test };

// The real exp036-appserver, run as a child process on a free loopback port. Its standard
// error (the call log) goes to a file the test can read. Stopped with SIGTERM when the object
// goes, killed if it does not end in time.
class ServerProcess {
public:
    // Starts the server with these options (besides --port 0) and waits for the line that names
    // its port; raises std::runtime_error, with what the server wrote, if it ends or stays
    // silent instead.
    explicit ServerProcess(const std::vector<std::string>& options,
                           ServerProgram program = ServerProgram::Shipped);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int Port() const { return port_; }
    pid_t Pid() const { return pid_; }
    const std::string& Host() const { return host_; }
    // Sends the signal and waits for the end; returns the exit status, or -1 when the process
    // did not end normally in time (then it is killed).
    int Stop(int signal);
    bool Running() const { return pid_ > 0; }
    // What the server wrote to its standard error so far.
    std::string Log() const;

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::string host_;
    std::filesystem::path logPath_;
};

// Runs the server with these options to the end, for options that make it stop on its own
// (bad options, --help). Returns the exit status; output gets both output streams.
int RunServerToEnd(const std::vector<std::string>& options, std::string& output,
                   ServerProgram program = ServerProgram::Shipped);

}  // namespace servertest
