#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace testsupport {

// A loopback port that takes connections into its backlog and never answers: a client calling it
// waits until its own deadline, which gives a test a process stopped at a known point.
class SilentListener {
public:
    SilentListener() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 ||
            bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(socket_, 16) != 0 ||
            getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("no loopback port to listen on");
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() {
        if (client_ >= 0)
            close(client_);
        close(socket_);
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int Port() const { return port_; }

    // True once a client has connected, within `bound`; the connection is held open, unanswered.
    bool WaitForClient(std::chrono::milliseconds bound) {
        pollfd waiting{socket_, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(bound.count())) != 1)
            return false;
        client_ = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        return client_ >= 0;
    }

    // True once the connected client has closed its end, within `bound`: what it sent is read
    // and dropped until the end of its data.
    bool ClientHungUp(std::chrono::milliseconds bound) {
        const auto end = std::chrono::steady_clock::now() + bound;
        char sent[4096];
        while (client_ >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd waiting{client_, POLLIN, 0};
            if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) != 1)
                return false;
            const ssize_t got = recv(client_, sent, sizeof sent, 0);
            if (got <= 0)
                return got == 0;
        }
        return false;
    }

private:
    int socket_;
    int client_ = -1;
    int port_ = 0;
};

}  // namespace testsupport
