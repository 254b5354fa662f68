#include "scripted_reply_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace nettest {
namespace {

constexpr auto kGiveUp = std::chrono::minutes(1);

// A listening socket on a free loopback port, whose number goes to `port`.
int Listen(int& port) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
        listen(listener, 4) ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length)) {
        throw std::runtime_error("cannot listen on loopback");
    }
    port = ntohs(address.sin_port);
    return listener;
}

// The request: its headers, and the body as long as they say it is. Empty when the client
// went away first.
std::string ReadRequest(int connection) {
    std::string received;
    char chunk[4096];
    std::size_t whole = std::string::npos;
    while (received.size() < whole) {
        pollfd waiting{connection, POLLIN, 0};
        if (poll(&waiting, 1, 10'000) <= 0)
            return std::string();
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            return std::string();
        received.append(chunk, static_cast<std::size_t>(got));
        const std::size_t headEnd = received.find("\r\n\r\n");
        if (whole == std::string::npos && headEnd != std::string::npos) {
            constexpr std::string_view kLength = "Content-Length: ";
            std::size_t length = 0;
            const std::size_t at = received.find(kLength);
            if (at != std::string::npos && at < headEnd) {
                std::from_chars(received.data() + at + kLength.size(), received.data() + headEnd,
                                length);
            }
            whole = headEnd + 4 + length;
        }
    }
    return received;
}

}  // namespace

ScriptedReplyServer::ScriptedReplyServer(std::string reply, std::size_t piece,
                                         std::chrono::milliseconds pause)
    : listener_(Listen(port_)) {
    thread_ = std::thread(&ScriptedReplyServer::Serve, this,
                          std::vector<std::string>{std::move(reply)}, piece, pause);
}

ScriptedReplyServer::ScriptedReplyServer(std::vector<std::string> replies)
    : listener_(Listen(port_)) {
    std::size_t largest = 1;
    for (const std::string& reply : replies)
        largest = std::max(largest, reply.size());
    thread_ = std::thread(&ScriptedReplyServer::Serve, this, std::move(replies), largest,
                          std::chrono::milliseconds(0));
}

ScriptedReplyServer::~ScriptedReplyServer() {
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
}

std::vector<std::string> ScriptedReplyServer::Requests() {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void ScriptedReplyServer::Serve(std::vector<std::string> replies, std::size_t piece,
                                std::chrono::milliseconds pause) {
    for (const std::string& reply : replies) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 10'000) <= 0)
            return;
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0)
            return;
        const std::string request = ReadRequest(connection);
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        const auto giveUp = std::chrono::steady_clock::now() + kGiveUp;
        for (std::size_t sent = 0;
             !request.empty() && sent < reply.size() && std::chrono::steady_clock::now() < giveUp;
             sent += piece) {
            const std::size_t size = std::min(piece, reply.size() - sent);
            if (send(connection, reply.data() + sent, size, MSG_NOSIGNAL) !=
                static_cast<ssize_t>(size))
                break;
            std::this_thread::sleep_for(pause);
        }
        close(connection);
    }
}

std::string JsonReply(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string ClosingReply(int status, const std::string& body, const std::string& headers) {
    return "HTTP/1.1 " + std::to_string(status) +
           " X\r\nContent-Type: application/json\r\nConnection: close\r\n" + headers +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace nettest
