#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace servertest {

struct HttpReply {
    int status = 0;
    std::string head;  // the status line and the headers, as received
    std::string body;
};

// A plain blocking TCP connection to the server, for what the framework's client never does:
// trickle a request byte by byte, hold connections idle, open hundreds at once. It may leave
// from another loopback address (127.0.0.2, ...) so the server takes it for another client.
// Raises std::runtime_error when it cannot connect.
class RawConnection {
public:
    RawConnection(const std::string& host, int port, const std::string& from = "");
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // False once the connection is closed.
    bool Send(std::string_view bytes);
    // The next whole reply; nullopt when the connection closes first.
    std::optional<HttpReply> ReadReply();
    // True when the server has closed the connection (looked at without waiting).
    bool ClosedByServer();
    // True when bytes of a reply have arrived (looked at without waiting).
    bool ReplyArriving();

private:
    bool Receive();

    int fd_ = -1;
    std::string received_;
};

// A request with a JSON body (none for GET) in one string, as it goes on the wire.
// `headers` are more header lines, each ending in "\r\n".
std::string HttpRequest(std::string_view method, std::string_view path, std::string_view body,
                        bool keepAlive = true, std::string_view headers = {});

// The body of a GetNota call for the branch and days (automation dates), for the clients of
// the list (",0001,0007,") or, with none, for every client, with every other choice open.
std::string GetNotaBody(std::string_view branch, double firstDay, double lastDay,
                        std::string_view clients = {});

}  // namespace servertest
