#include "proxy_header_reader.h"

#include <boost/asio/read.hpp>
#include <boost/asio/steady_timer.hpp>

#include <array>
#include <memory>
#include <vector>

#include "proxy_header.h"

namespace appserver {
namespace {

namespace asio = boost::asio;
using ErrorCode = boost::system::error_code;

class HeaderRead : public std::enable_shared_from_this<HeaderRead> {
public:
    HeaderRead(asio::ip::tcp::socket socket, std::string peer, ProxiedClientReady ready)
        : socket_(std::move(socket)),
          timer_(socket_.get_executor()),
          peer_(std::move(peer)),
          ready_(std::move(ready)) {}

    void Start(std::chrono::seconds deadline) {
        timer_.expires_after(deadline);
        timer_.async_wait([self = shared_from_this()](ErrorCode error) {
            if (!error)
                self->socket_.cancel();
        });
        asio::async_read(socket_, asio::buffer(fixed_),
                         [self = shared_from_this()](ErrorCode error, std::size_t) {
                             if (error)
                                 return self->Finish(std::nullopt);
                             const auto size = ProxyHeaderRest(self->fixed_);
                             if (!size)
                                 return self->Finish(std::nullopt);
                             self->rest_.resize(*size);
                             self->ReadRest();
                         });
    }

private:
    void ReadRest() {
        asio::async_read(socket_, asio::buffer(rest_),
                         [self = shared_from_this()](ErrorCode error, std::size_t) {
                             if (error)
                                 return self->Finish(std::nullopt);
                             self->Finish(ProxiedClient(self->fixed_, self->rest_, self->peer_));
                         });
    }

    void Finish(std::optional<std::string> client) {
        timer_.cancel();
        ready_(std::move(socket_), std::move(client));
    }

    asio::ip::tcp::socket socket_;
    asio::steady_timer timer_;
    std::string peer_;
    ProxiedClientReady ready_;
    std::array<std::uint8_t, kProxyHeaderFixedSize> fixed_{};
    std::vector<std::uint8_t> rest_;
};

}  // namespace

void ReceiveProxyHeader(asio::ip::tcp::socket socket, std::string peer,
                        std::chrono::seconds deadline, ProxiedClientReady ready) {
    std::make_shared<HeaderRead>(std::move(socket), std::move(peer), std::move(ready))
        ->Start(deadline);
}

}  // namespace appserver
