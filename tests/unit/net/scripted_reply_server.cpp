#include "scripted_reply_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace nettest {
namespace {

constexpr auto kGiveUp = std::chrono::minutes(1);

// Reads until the request's headers have come, which is all this server looks at.
bool ReadHeaders(int connection) {
    std::string received;
    char chunk[4096];
    while (received.find("\r\n\r\n") == std::string::npos) {
        pollfd waiting{connection, POLLIN, 0};
        if (poll(&waiting, 1, 10'000) <= 0)
            return false;
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        received.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

}  // namespace

ScriptedReplyServer::ScriptedReplyServer(std::string reply, std::size_t piece,
                                         std::chrono::milliseconds pause) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
        listen(listener_, 4) ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length)) {
        throw std::runtime_error("cannot listen on loopback");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread(&ScriptedReplyServer::Serve, this, std::move(reply), piece, pause);
}

ScriptedReplyServer::~ScriptedReplyServer() {
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
}

void ScriptedReplyServer::Serve(std::string reply, std::size_t piece,
                                std::chrono::milliseconds pause) {
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, 10'000) <= 0)
        return;
    const int connection = accept(listener_, nullptr, nullptr);
    if (connection < 0)
        return;
    const auto giveUp = std::chrono::steady_clock::now() + kGiveUp;
    if (ReadHeaders(connection)) {
        for (std::size_t sent = 0; sent < reply.size() && std::chrono::steady_clock::now() < giveUp;
             sent += piece) {
            const std::size_t size = std::min(piece, reply.size() - sent);
            if (send(connection, reply.data() + sent, size, MSG_NOSIGNAL) !=
                static_cast<ssize_t>(size))
                break;
            std::this_thread::sleep_for(pause);
        }
    }
    close(connection);
}

std::string JsonReply(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace nettest
