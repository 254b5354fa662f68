#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace servertest {

// A real HAProxy in front of application servers on loopback, with the configuration the
// product ships (packaging/haproxy/exp036.cfg): its listening port and server lines replaced by
// the test's, its connections to the servers leaving from `source` so that a server tells the
// balancer apart from the clients. Started in the foreground as a child process, stopped when the
// object goes. Raises std::runtime_error when HAProxy is missing or does not start serving.
class BalancerProcess {
public:
    BalancerProcess(const std::vector<int>& serverPorts, const std::string& source,
                    const std::filesystem::path& folder);
    ~BalancerProcess();
    BalancerProcess(const BalancerProcess&) = delete;
    BalancerProcess& operator=(const BalancerProcess&) = delete;

    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace servertest
