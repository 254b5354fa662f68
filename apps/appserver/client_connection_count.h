#pragma once

#include <string>
#include <unordered_map>

namespace appserver {

// How many connections each client address holds, against a limit: one client cannot take
// every connection the server has. Used from one thread.
class ClientConnectionCount {
public:
    explicit ClientConnectionCount(int limit) : limit_(limit) {}

    // Counts one more connection of the address, unless it already holds the limit.
    bool TryAdd(const std::string& address);
    void Remove(const std::string& address);

private:
    int limit_;
    std::unordered_map<std::string, int> counts_;
};

}  // namespace appserver
