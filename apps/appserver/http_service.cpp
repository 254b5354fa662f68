#include "http_service.h"

#include <sys/resource.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

#include <future>
#include <map>
#include <stdexcept>
#include <vector>

#include "client_connection_count.h"
#include "http_connection.h"
#include "periodic_chore.h"
#include "proxy_header_reader.h"
#include "request_router.h"
#include "server_tls.h"

namespace appserver {
namespace {

namespace asio = boost::asio;
using asio::ip::tcp;

// After a failed accept (out of file descriptors) the next try waits this long.
constexpr auto kAcceptRetryDelay = std::chrono::milliseconds(50);
// Connections turned away that may be told why at once; past this many, more are closed without
// a word, so a flood of them costs little.
constexpr std::size_t kMostRefusalsAtOnce = 256;
// Turned-away connections are counted in the log at most this often, not one line each.
constexpr auto kRefusalLogPeriod = std::chrono::seconds(10);

// Every open connection is a file descriptor: take as many as the system lets this process.
void RaiseOpenFileLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

}  // namespace

struct HttpService::Impl {
    Impl(RequestHandler handler, CallOwner ownerOf, RefusalRecorder recordRefusal,
         const ServerOptions& serverOptions, CallLog& log, const DatabaseHealth& health)
        : options(serverOptions),
          tls(ServerTlsContext(options)),
          workers(static_cast<std::size_t>(options.threads),
                  FairScheduler::PerOwnerShare(static_cast<std::size_t>(options.threads))),
          shared{std::move(handler),
                 log,
                 workers,
                 std::move(ownerOf),
                 std::move(recordRefusal),
                 options.maxBody,
                 std::chrono::seconds(options.keepAliveSeconds),
                 std::chrono::seconds(options.requestTimeoutSeconds),
                 std::chrono::seconds(options.timeoutSeconds),
                 &health,
                 tls.get()},
          clients(options.maxClientConnections) {}

    void Accept() {
        acceptor.async_accept([this](boost::system::error_code error, tcp::socket socket) {
            if (stopping || error == asio::error::operation_aborted)
                return;
            if (error) {
                retryTimer.expires_after(kAcceptRetryDelay);
                retryTimer.async_wait([this](boost::system::error_code) {
                    if (!stopping)
                        Accept();
                });
                return;
            }
            Admit(std::move(socket));
            if (open.size() >= static_cast<std::size_t>(options.maxConnections)) {
                acceptPaused = true;  // the backlog holds the next ones until one closes
                return;
            }
            Accept();
        });
    }

    // The client's address is the peer's, or, from a balancer named by --trusted-proxy, the
    // one its PROXY header names: the one place that says whom a connection is from, for the
    // per-address quota, the sign-in throttle and the audit alike.
    void Admit(tcp::socket socket) {
        boost::system::error_code error;
        socket.set_option(tcp::no_delay(true), error);
        const tcp::endpoint peer = socket.remote_endpoint(error);
        if (error)
            return;  // the client is already gone
        std::string address = peer.address().to_string();
        if (!options.trustedProxies.contains(address))
            return AdmitFrom(std::move(socket), address);
        ReceiveProxyHeader(std::move(socket), std::move(address),
                           std::chrono::seconds(options.requestTimeoutSeconds),
                           [this](tcp::socket relayed, std::optional<std::string> client) {
                               // Without a header the connection is not served: from a
                               // balancer, it would put everyone behind one address.
                               if (client && !stopping)
                                   AdmitFrom(std::move(relayed), *client);
                           });
    }

    void AdmitFrom(tcp::socket socket, const std::string& client) {
        if (!clients.TryAdd(client))
            return Refuse(std::move(socket), client);
        const std::uint64_t id = nextId++;
        open[id] = StartHttpConnection(std::move(socket), shared, std::nullopt, client,
                                       [this, id, client] {
                                           clients.Remove(client);
                                           Ended(open, id);
                                       });
    }

    // Over its quota the address is told so, with when to try again, outside the shared pool.
    void Refuse(tcp::socket socket, const std::string& client) {
        ++refusedSinceLog;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastRefusalLog >= kRefusalLogPeriod) {
            shared.log.Warn(std::to_string(refusedSinceLog) +
                            " conexão(ões) recusada(s) por excesso de conexões de um endereço "
                            "(limite de " +
                            std::to_string(options.maxClientConnections) + "; a última de " +
                            client + ").");
            refusedSinceLog = 0;
            lastRefusalLog = now;
        }
        if (refusing.size() >= kMostRefusalsAtOnce)
            return;  // the socket closes as it goes
        const std::uint64_t id = nextId++;
        refusing[id] = StartHttpConnection(std::move(socket), shared,
                                           TooManyConnections(options.maxClientConnections), client,
                                           [this, id] { Ended(refusing, id); });
    }

    using Connections = std::map<std::uint64_t, std::shared_ptr<HttpConnection>>;

    void Ended(Connections& connections, std::uint64_t id) {
        // Not erased at once: the connection is still running its last handler.
        asio::post(io, [this, &connections, id] {
            connections.erase(id);
            if (acceptPaused && !stopping) {
                acceptPaused = false;
                Accept();
            }
        });
    }

    void ShutDown() {
        stopping = true;
        boost::system::error_code ignored;
        acceptor.close(ignored);
        retryTimer.cancel();
        for (auto& chore : chores)
            chore->Stop();
        for (Connections* connections : {&open, &refusing}) {
            for (auto& [id, connection] : *connections) {
                if (connection)
                    connection->Close();
            }
        }
    }

    const ServerOptions& options;
    std::unique_ptr<asio::ssl::context> tls;
    asio::io_context io{1};
    FairScheduler workers;
    ConnectionShared shared;
    tcp::acceptor acceptor{io};
    asio::steady_timer retryTimer{io};
    std::vector<std::unique_ptr<PeriodicChore>> chores;
    ClientConnectionCount clients;
    Connections open;      // the shared pool
    Connections refusing;  // turned away, being told why
    std::uint64_t nextId = 0;
    std::size_t refusedSinceLog = 0;
    std::chrono::steady_clock::time_point lastRefusalLog;
    bool acceptPaused = false;
    bool stopping = false;
    std::promise<void> finished;
};

HttpService::HttpService(RequestHandler handler, CallOwner ownerOf, RefusalRecorder recordRefusal,
                         const ServerOptions& options, CallLog& log, const DatabaseHealth& health)
    : impl_(std::make_unique<Impl>(std::move(handler), std::move(ownerOf), std::move(recordRefusal),
                                   options, log, health)) {
    RaiseOpenFileLimit();
}

HttpService::~HttpService() {
    impl_->workers.Join();
}

int HttpService::Bind() {
    const ServerOptions& options = impl_->options;
    boost::system::error_code error;
    tcp::resolver resolver(impl_->io);
    const auto endpoints = resolver.resolve(options.listenHost, std::to_string(options.port),
                                            tcp::resolver::passive, error);
    for (const auto& entry : endpoints) {
        tcp::acceptor& acceptor = impl_->acceptor;
        acceptor.close(error);
        acceptor.open(entry.endpoint().protocol(), error);
        if (error)
            continue;
        acceptor.set_option(tcp::acceptor::reuse_address(true), error);
        acceptor.bind(entry.endpoint(), error);
        if (!error)
            acceptor.listen(asio::socket_base::max_listen_connections, error);
        if (!error)
            return acceptor.local_endpoint().port();
    }
    throw std::runtime_error("não foi possível escutar em " + options.listenHost + ":" +
                             std::to_string(options.port) + ".");
}

void HttpService::Every(std::chrono::steady_clock::duration period, std::function<void()> chore) {
    impl_->chores.push_back(std::make_unique<PeriodicChore>(impl_->io, period, std::move(chore)));
}

void HttpService::Run() {
    for (auto& chore : impl_->chores)
        chore->Start();
    impl_->Accept();
    impl_->io.run();
    impl_->workers.Join();
    impl_->finished.set_value();
}

void HttpService::Stop() {
    asio::post(impl_->io, [impl = impl_.get()] { impl->ShutDown(); });
    impl_->finished.get_future().wait();
}

}  // namespace appserver
