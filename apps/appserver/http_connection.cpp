#include "http_connection.h"

#include <malloc.h>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/post.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include "host/wire/wire_protocol.h"
#include "request_router.h"

namespace appserver {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using Clock = std::chrono::steady_clock;
using ErrorCode = beast::error_code;

// Longer headers than this are no request of this protocol.
constexpr std::uint32_t kHeaderLimit = 16 * 1024;
// How long a closing connection waits for its client to read the last reply and hang up.
constexpr auto kLingerTime = std::chrono::seconds(2);
// A request body this large or larger is followed by giving freed memory back to the system.
constexpr std::size_t kLargeRequestBytes = 256 * 1024;
// A read buffer grown beyond this by one request is shrunk before the next.
constexpr std::size_t kKeptBufferBytes = 64 * 1024;
// How long a refused connection may take to finish its TLS handshake and hear why.
constexpr auto kRefusalTime = std::chrono::seconds(2);

constexpr std::string_view kHealthPath = "/health";

// The first byte of a TLS handshake record; a plain HTTP request starts with a letter.
constexpr unsigned char kTlsHandshakeRecord = 0x16;

using PlainStream = beast::tcp_stream;
using TlsStream = beast::ssl_stream<beast::tcp_stream>;

template <class Stream>
class BeastConnection final : public HttpConnection,
                              public std::enable_shared_from_this<BeastConnection<Stream>> {
    static constexpr bool kTls = std::is_same_v<Stream, TlsStream>;

public:
    template <class... TlsContext>
    BeastConnection(asio::ip::tcp::socket socket, const ConnectionShared& shared,
                    std::optional<DispatchResult> refusal, std::string client,
                    std::function<void()> ended, TlsContext&... tls)
        : stream_(std::move(socket), tls...),
          shared_(shared),
          refusal_(std::move(refusal)),
          client_(std::move(client)),
          ended_(std::move(ended)) {}

    void Start() {
        if constexpr (kTls)
            ReceiveHandshake();
        else
            Begin();
    }

    void Close() override {
        closeRequested_ = true;
        if (state_ == State::Waiting || state_ == State::Reading)
            Lowest().socket().cancel();
    }

private:
    using std::enable_shared_from_this<BeastConnection<Stream>>::shared_from_this;

    PlainStream& Lowest() { return beast::get_lowest_layer(stream_); }

    // A client speaking plain HTTP to a TLS server is told so in plain HTTP, in words it can
    // show, rather than left with a connection that drops.
    void ReceiveHandshake() {
        state_ = State::Reading;
        Lowest().expires_after(refusal_ ? kRefusalTime : shared_.request);
        Lowest().async_read_some(
            buffer_.prepare(4096), [self = shared_from_this()](ErrorCode error, std::size_t size) {
                if (error)
                    return self->End();
                self->buffer_.commit(size);
                const auto* first = static_cast<const unsigned char*>(self->buffer_.data().data());
                if (*first != kTlsHandshakeRecord)
                    return self->RefusePlainHttp();
                self->Handshake();
            });
    }

    void Handshake() {
        if constexpr (kTls) {
            stream_.async_handshake(asio::ssl::stream_base::server, buffer_.data(),
                                    [self = shared_from_this()](ErrorCode error, std::size_t used) {
                                        if (error)
                                            return self->End();
                                        self->buffer_.consume(used);
                                        self->Begin();
                                    });
        }
    }

    void RefusePlainHttp() {
        state_ = State::Writing;
        const DispatchResult result =
            ErrorResult(400,
                        "Este servidor de aplicação só aceita conexões TLS: informe o endereço com "
                        "https://.");
        response_ = {http::status::bad_request, 11};
        response_.set(http::field::content_type, hostfw::kJsonMediaType);
        response_.body() = result.body;
        response_.keep_alive(false);
        response_.prepare_payload();
        Lowest().expires_after(shared_.reply);
        http::async_write(Lowest(), response_,
                          [self = shared_from_this()](ErrorCode error, std::size_t) {
                              if (error)
                                  return self->End();
                              self->Linger();
                          });
    }

    enum class State { Waiting, Reading, Working, Writing, Closing, Ended };

    // A refused connection is told why at once: it takes no slot and reads no request.
    void Begin() {
        if (refusal_)
            return Reply(*refusal_, false);
        WaitForRequest();
    }

    // An idle connection may wait up to the keep-alive time for the first byte of a request.
    void WaitForRequest() {
        state_ = State::Waiting;
        if (closeRequested_)
            return End();
        if (buffer_.size() > 0)
            return ReadHeader();
        Lowest().expires_after(shared_.keepAlive);
        stream_.async_read_some(buffer_.prepare(4096),
                                [self = shared_from_this()](ErrorCode error, std::size_t size) {
                                    if (error)
                                        return self->End();
                                    self->buffer_.commit(size);
                                    self->ReadHeader();
                                });
    }

    // From the first byte on, the whole request has one deadline, however it trickles in.
    void ReadHeader() {
        state_ = State::Reading;
        parser_.emplace();
        parser_->body_limit(shared_.maxBody);
        parser_->header_limit(kHeaderLimit);
        Lowest().expires_after(shared_.request);
        http::async_read_header(stream_, buffer_, *parser_,
                                [self = shared_from_this()](ErrorCode error, std::size_t) {
                                    if (error)
                                        return self->RefuseRead(error);
                                    self->ContinueIfAsked();
                                });
    }

    void ContinueIfAsked() {
        if (!beast::iequals(parser_->get()[http::field::expect], "100-continue"))
            return ReadBody();
        continue_ = {http::status::continue_, 11};
        http::async_write(stream_, continue_,
                          [self = shared_from_this()](ErrorCode error, std::size_t) {
                              if (error)
                                  return self->End();
                              self->ReadBody();
                          });
    }

    void ReadBody() {
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](ErrorCode error, std::size_t) {
                             if (error)
                                 return self->RefuseRead(error);
                             self->RunCall();
                         });
    }

    // A request that stopped coming (the client hung up or ran out of time) gets no reply;
    // one that cannot be read gets its refusal, and the connection closes since what follows
    // in it cannot be trusted.
    void RefuseRead(ErrorCode error) {
        if (error == beast::error::timeout || error == asio::error::operation_aborted ||
            error == http::error::end_of_stream || error == http::error::partial_message ||
            error == asio::error::eof || error == asio::error::connection_reset)
            return End();
        const int status = error == http::error::body_limit ? 413 : 400;
        const DispatchResult result = RefusedRequest(status, shared_.maxBody);
        const auto& header = parser_->get();
        shared_.log.Write({std::string(header.method_string()), RequestPath(header.target()),
                           status, std::nullopt, std::nullopt, result.outcome});
        // Audited on a worker, with its reason; the reply does not wait for it.
        shared_.workers.Submit(
            shared_.ownerOf({}, client_),
            [&shared = shared_, client = client_, result,
             method = std::string(header.method_string()), target = std::string(header.target())] {
                shared.recordRefusal({method, target, {}, {}, {}, {}, {}}, client, result);
            });
        Reply(result, false);
    }

    // The call runs on a worker; its reply goes out from the I/O thread again. The work guard
    // keeps the I/O loop running while a call is under way.
    void RunCall() {
        state_ = State::Working;
        Lowest().expires_never();
        auto request = parser_->release();
        const bool keepAlive = request.keep_alive();
        // What a large request made the read buffer grow to is not kept for the next ones.
        if (buffer_.capacity() > kKeptBufferBytes)
            buffer_.shrink_to_fit();
        if (shared_.health != nullptr && request.method() == http::verb::get &&
            RequestPath(request.target()) == kHealthPath)
            return Reply(shared_.health->Answer(), keepAlive);
        const std::string owner = shared_.ownerOf(request[http::field::authorization], client_);
        clientGone_ = {};
        WatchClient();
        shared_.workers.Submit(owner, [self = shared_from_this(), request = std::move(request),
                                       keepAlive, clientGone = clientGone_.get_token(),
                                       work = asio::make_work_guard(
                                           stream_.get_executor())]() mutable {
            const auto start = Clock::now();
            const HttpRequestView view{
                request.method_string(),      request.target(), request[http::field::content_type],
                request[http::field::accept], request.body(),   request[http::field::authorization],
                std::move(clientGone)};
            DispatchResult result = self->shared_.handle(view, self->client_);
            const auto elapsed =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            self->shared_.log.Write({std::string(request.method_string()),
                                     RequestPath(request.target()), result.status, elapsed.count(),
                                     result.rows, result.outcome});
            const bool large = request.body().size() >= kLargeRequestBytes;
            request = {};
            // The allocator keeps what a large request's parsing freed for later; given back
            // now, a burst of them does not leave the server holding it.
            if (large)
                malloc_trim(0);
            auto executor = work.get_executor();
            asio::post(executor,
                       [self = std::move(self), result = std::move(result), keepAlive]() mutable {
                           self->Reply(std::move(result), keepAlive);
                       });
        });
    }

    // Nothing is read from the client while its call runs: a client that hangs up meanwhile
    // leaves the socket readable with nothing to read, and its call is given up. Bytes sent
    // ahead (a next request) tell nothing, and end the watch.
    void WatchClient() {
        Lowest().socket().async_wait(
            asio::ip::tcp::socket::wait_read, [self = shared_from_this()](ErrorCode error) {
                if (error || self->state_ != State::Working)
                    return;
                char next = 0;
                ErrorCode peeked;
                self->Lowest().socket().receive(asio::buffer(&next, 1),
                                                asio::socket_base::message_peek, peeked);
                if (peeked == asio::error::would_block || peeked == asio::error::try_again)
                    return self->WatchClient();
                if (peeked)
                    self->clientGone_.request_stop();
            });
    }

    void Reply(DispatchResult result, bool keepAlive) {
        // The watch of a call's client ends with the call.
        if (state_ == State::Working) {
            ErrorCode ignored;
            Lowest().socket().cancel(ignored);
        }
        state_ = State::Writing;
        response_ = {static_cast<http::status>(result.status), 11};
        response_.set(http::field::content_type, hostfw::kJsonMediaType);
        if (result.retryAfterSeconds)
            response_.set(http::field::retry_after, std::to_string(*result.retryAfterSeconds));
        response_.body() = std::move(result.body);
        const bool draining = shared_.health != nullptr && shared_.health->Draining();
        response_.keep_alive(keepAlive && !closeRequested_ && !draining);
        response_.prepare_payload();
        Lowest().expires_after(shared_.reply);
        http::async_write(stream_, response_,
                          [self = shared_from_this()](ErrorCode error, std::size_t) {
                              if (error)
                                  return self->End();
                              if (self->response_.keep_alive())
                                  return self->WaitForRequest();
                              self->Linger();
                          });
    }

    // Closing at once with unread bytes from the client would reset the connection and could
    // destroy the reply before the client read it: stop sending, then wait a moment for the
    // client to hang up, discarding what it still sends.
    void Linger() {
        state_ = State::Closing;
        ErrorCode ignored;
        Lowest().socket().shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
        Lowest().expires_after(kLingerTime);
        DiscardUntilClosed();
    }

    void DiscardUntilClosed() {
        buffer_.consume(buffer_.size());
        Lowest().async_read_some(buffer_.prepare(4096),
                                 [self = shared_from_this()](ErrorCode error, std::size_t) {
                                     if (error)
                                         return self->End();
                                     self->DiscardUntilClosed();
                                 });
    }

    void End() {
        if (state_ == State::Ended)
            return;
        state_ = State::Ended;
        ErrorCode ignored;
        Lowest().socket().close(ignored);
        ended_();
    }

    Stream stream_;
    const ConnectionShared& shared_;
    std::optional<DispatchResult> refusal_;
    std::string client_;
    std::function<void()> ended_;
    State state_ = State::Waiting;
    bool closeRequested_ = false;
    std::stop_source clientGone_;  // of the call under way
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    http::response<http::empty_body> continue_;
    http::response<http::string_body> response_;
};

}  // namespace

std::shared_ptr<HttpConnection> StartHttpConnection(asio::ip::tcp::socket socket,
                                                    const ConnectionShared& shared,
                                                    std::optional<DispatchResult> refusal,
                                                    std::string client,
                                                    std::function<void()> ended) {
    if (shared.tls != nullptr) {
        auto connection = std::make_shared<BeastConnection<TlsStream>>(
            std::move(socket), shared, std::move(refusal), std::move(client), std::move(ended),
            *shared.tls);
        connection->Start();
        return connection;
    }
    auto connection = std::make_shared<BeastConnection<PlainStream>>(
        std::move(socket), shared, std::move(refusal), std::move(client), std::move(ended));
    connection->Start();
    return connection;
}

}  // namespace appserver
