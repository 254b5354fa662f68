#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/context.hpp>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "call_dispatcher.h"
#include "call_log.h"
#include "database_health.h"
#include "fair_scheduler.h"
#include "request_router.h"

namespace appserver {

// Whose calls a request's are, for the turns the workers take: the person its token names,
// else the client's address.
using CallOwner =
    std::function<std::string(std::string_view authorization, const std::string& client)>;
// Audits a request refused before any handler saw it; runs on a worker.
using RefusalRecorder = std::function<void(const HttpRequestView& request,
                                           const std::string& client, const DispatchResult&)>;

// What every connection of a server shares.
struct ConnectionShared {
    RequestHandler handle;
    CallLog& log;
    // Calls run here, so a connection that waits for its client never holds a worker; each
    // owner's calls take their turns.
    FairScheduler& workers;
    CallOwner ownerOf;
    RefusalRecorder recordRefusal;
    std::size_t maxBody;
    std::chrono::seconds keepAlive;  // waiting for the next request
    std::chrono::seconds request;    // receiving one request whole, from its first byte
    std::chrono::seconds reply;      // sending one reply
    // GET /health, answered on the I/O thread, neither audited nor logged (a balancer asks every
    // second); while it says the server drains, every reply closes its connection.
    const DatabaseHealth* health = nullptr;
    // The server's certificate and key when it speaks TLS; nullptr for plain HTTP.
    boost::asio::ssl::context* tls = nullptr;
};

// One client connection, served on the I/O thread: requests are read there under their
// deadlines and only a complete request goes to a worker. A connection given a refusal answers
// with it at once, without waiting for a request, and closes.
class HttpConnection {
public:
    virtual ~HttpConnection() = default;
    // Ends the connection now when it is waiting for or reading a request; otherwise once the
    // reply under way has been sent. On the I/O thread.
    virtual void Close() = 0;
};

// Starts serving the socket of the client at address `client`; ended runs on the I/O thread once
// the socket has been closed.
std::shared_ptr<HttpConnection> StartHttpConnection(boost::asio::ip::tcp::socket socket,
                                                    const ConnectionShared& shared,
                                                    std::optional<DispatchResult> refusal,
                                                    std::string client,
                                                    std::function<void()> ended);

}  // namespace appserver
