#include "http_service.h"

#include <sys/resource.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>

#include <future>
#include <map>
#include <stdexcept>
#include <vector>

#include "client_connection_count.h"
#include "http_connection.h"
#include "periodic_chore.h"
#include "request_router.h"
#include "server_tls.h"

namespace appserver {
namespace {

namespace asio = boost::asio;
using asio::ip::tcp;

// After a failed accept (out of file descriptors) the next try waits this long.
constexpr auto kAcceptRetryDelay = std::chrono::milliseconds(50);

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
    Impl(RequestHandler handler, const ServerOptions& serverOptions, CallLog& log)
        : options(serverOptions),
          tls(ServerTlsContext(options)),
          workers(static_cast<std::size_t>(options.threads)),
          shared{std::move(handler),
                 log,
                 workers,
                 options.maxBody,
                 std::chrono::seconds(options.keepAliveSeconds),
                 std::chrono::seconds(options.requestTimeoutSeconds),
                 std::chrono::seconds(options.timeoutSeconds),
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

    void Admit(tcp::socket socket) {
        boost::system::error_code error;
        socket.set_option(tcp::no_delay(true), error);
        const tcp::endpoint peer = socket.remote_endpoint(error);
        if (error)
            return;  // the client is already gone
        const std::string client = peer.address().to_string();
        const bool counted = clients.TryAdd(client);
        std::optional<DispatchResult> refusal;
        if (!counted)
            refusal = TooManyConnections(options.maxClientConnections);
        const std::uint64_t id = nextId++;
        open[id] = StartHttpConnection(std::move(socket), shared, std::move(refusal), client,
                                       [this, id, client, counted] {
                                           if (counted)
                                               clients.Remove(client);
                                           Ended(id);
                                       });
    }

    void Ended(std::uint64_t id) {
        // Not erased at once: the connection is still running its last handler.
        asio::post(io, [this, id] {
            open.erase(id);
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
        for (auto& [id, connection] : open) {
            if (connection)
                connection->Close();
        }
    }

    const ServerOptions& options;
    std::unique_ptr<asio::ssl::context> tls;
    asio::io_context io{1};
    asio::thread_pool workers;
    ConnectionShared shared;
    tcp::acceptor acceptor{io};
    asio::steady_timer retryTimer{io};
    std::vector<std::unique_ptr<PeriodicChore>> chores;
    ClientConnectionCount clients;
    std::map<std::uint64_t, std::shared_ptr<HttpConnection>> open;
    std::uint64_t nextId = 0;
    bool acceptPaused = false;
    bool stopping = false;
    std::promise<void> finished;
};

HttpService::HttpService(RequestHandler handler, const ServerOptions& options, CallLog& log)
    : impl_(std::make_unique<Impl>(std::move(handler), options, log)) {
    RaiseOpenFileLimit();
}

HttpService::~HttpService() {
    impl_->workers.join();
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
    impl_->workers.join();
    impl_->finished.set_value();
}

void HttpService::Stop() {
    asio::post(impl_->io, [impl = impl_.get()] { impl->ShutDown(); });
    impl_->finished.get_future().wait();
}

}  // namespace appserver
