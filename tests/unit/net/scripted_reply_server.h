#pragma once

#include <chrono>
#include <string>
#include <thread>

namespace nettest {

// A server on a free loopback port that answers the one request of one connection with the
// reply it was given, sent in pieces of `piece` bytes `pause` apart: a server gone wrong, for
// the client's bounds. It stops sending once the client hangs up, and gives up after a minute.
class ScriptedReplyServer {
public:
    ScriptedReplyServer(std::string reply, std::size_t piece, std::chrono::milliseconds pause);
    ~ScriptedReplyServer();
    ScriptedReplyServer(const ScriptedReplyServer&) = delete;
    ScriptedReplyServer& operator=(const ScriptedReplyServer&) = delete;

    int Port() const { return port_; }

private:
    void Serve(std::string reply, std::size_t piece, std::chrono::milliseconds pause);

    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// A whole 200 reply with this JSON body.
std::string JsonReply(const std::string& body);

}  // namespace nettest
