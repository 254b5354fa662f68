#include "support/raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <stdexcept>

namespace servertest {
namespace {

sockaddr_in LoopbackAddress(const std::string& host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        throw std::runtime_error("not an IPv4 address: " + host);
    return address;
}

std::size_t ContentLength(std::string_view head) {
    constexpr std::string_view kName = "\r\ncontent-length:";
    for (std::size_t at = 0; at + kName.size() <= head.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < kName.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(head[at + i])) == kName[i];
        if (!same)
            continue;
        std::size_t value = 0;
        std::size_t start = at + kName.size();
        while (start < head.size() && head[start] == ' ')
            ++start;
        std::from_chars(head.data() + start, head.data() + head.size(), value);
        return value;
    }
    return 0;
}

}  // namespace

RawConnection::RawConnection(const std::string& host, int port, const std::string& from) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        throw std::runtime_error("socket failed");
    const int on = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (!from.empty()) {
        const sockaddr_in source = LoopbackAddress(from, 0);
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0) {
            close(fd_);
            throw std::runtime_error("cannot leave from " + from);
        }
    }
    const sockaddr_in target = LoopbackAddress(host, port);
    if (connect(fd_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        const int error = errno;
        close(fd_);
        throw std::runtime_error("connect failed: errno " + std::to_string(error));
    }
}

RawConnection::~RawConnection() {
    close(fd_);
}

bool RawConnection::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool RawConnection::Receive() {
    char chunk[16384];
    const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
    if (got <= 0)
        return false;
    received_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

std::optional<HttpReply> RawConnection::ReadReply() {
    std::size_t headEnd = std::string::npos;
    while ((headEnd = received_.find("\r\n\r\n")) == std::string::npos) {
        if (!Receive())
            return std::nullopt;
    }
    HttpReply reply;
    // Kept apart before the body comes: receiving more may move what was received.
    reply.head = received_.substr(0, headEnd);
    // "HTTP/1.1 200 OK"
    if (reply.head.size() > 12)
        std::from_chars(reply.head.data() + 9, reply.head.data() + 12, reply.status);
    const std::size_t total = headEnd + 4 + ContentLength(reply.head);
    while (received_.size() < total) {
        if (!Receive())
            return std::nullopt;
    }
    reply.body = received_.substr(headEnd + 4, total - headEnd - 4);
    received_.erase(0, total);
    return reply;
}

bool RawConnection::ClosedByServer() {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, 0) <= 0)
        return false;
    char byte = 0;
    const ssize_t got = recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

bool RawConnection::ReplyArriving() {
    pollfd waiting{fd_, POLLIN, 0};
    return !received_.empty() || poll(&waiting, 1, 0) > 0;
}

std::string HttpRequest(std::string_view method, std::string_view path, std::string_view body,
                        bool keepAlive, std::string_view headers) {
    std::string request = std::string(method) + " " + std::string(path) +
                          " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: application/json\r\n" +
                          std::string(headers);
    if (!keepAlive)
        request += "Connection: close\r\n";
    if (method == "POST") {
        request +=
            "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n";
    }
    request += "\r\n";
    request += body;
    return request;
}

std::string GetNotaBody(std::string_view branch, double firstDay, double lastDay,
                        std::string_view clients) {
    const auto text = [](std::string_view value, bool byRef) {
        return R"({"type":"string","value":")" + std::string(value) + "\"" +
               (byRef ? R"(,"byRef":true})" : "}");
    };
    const auto date = [](double value) {
        return R"({"type":"date","value":)" + std::to_string(value) + "}";
    };
    return R"({"version":1,"args":[)" + text(branch, false) + "," + date(firstDay) + "," +
           date(lastDay) + "," + text(clients, true) + "," +
           text(clients.empty() ? "T" : "", true) + "," + text("", true) + "," + text("T", true) +
           "," + text("", true) + "," + text("A", true) + "]}";
}

}  // namespace servertest
