#include "client_connection_count.h"

namespace appserver {

bool ClientConnectionCount::TryAdd(const std::string& address) {
    int& count = counts_[address];
    if (count >= limit_)
        return false;
    ++count;
    return true;
}

void ClientConnectionCount::Remove(const std::string& address) {
    const auto found = counts_.find(address);
    if (found == counts_.end())
        return;
    if (--found->second == 0)
        counts_.erase(found);
}

}  // namespace appserver
