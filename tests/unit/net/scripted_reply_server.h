#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nettest {

// A server on a free loopback port that answers the one request of each connection with the
// next reply it was given, sent in pieces of `piece` bytes `pause` apart, and then closes the
// connection: a server gone wrong, for the client's bounds. It keeps what it received, stops
// sending once the client hangs up, and gives up after a minute.
class ScriptedReplyServer {
public:
    ScriptedReplyServer(std::string reply, std::size_t piece, std::chrono::milliseconds pause);
    // One whole reply per connection, in order.
    explicit ScriptedReplyServer(std::vector<std::string> replies);
    ~ScriptedReplyServer();
    ScriptedReplyServer(const ScriptedReplyServer&) = delete;
    ScriptedReplyServer& operator=(const ScriptedReplyServer&) = delete;

    int Port() const { return port_; }
    // The requests received so far, headers and body, one per connection.
    std::vector<std::string> Requests();

private:
    void Serve(std::vector<std::string> replies, std::size_t piece,
               std::chrono::milliseconds pause);

    int port_ = 0;  // set by the listener's making, which comes next
    int listener_ = -1;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A whole 200 reply with this JSON body.
std::string JsonReply(const std::string& body);
// A whole reply of that status, with a JSON body and these more header lines (each ending in
// "\r\n"), after which the server closes the connection.
std::string ClosingReply(int status, const std::string& body, const std::string& headers = "");

}  // namespace nettest
