#include "host/net/http_call_client.h"

#include <poll.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/ssl/host_name_verification.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <algorithm>
#include <charconv>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "host/core/exception.h"
#include "host/wire/sign_in_messages.h"
#include "host/wire/wire_codec.h"
#include "host/wire/wire_protocol.h"

namespace hostfw {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using asio::ip::tcp;
using ErrorCode = beast::error_code;
using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

using TlsStream = beast::ssl_stream<beast::tcp_stream>;
namespace ssl = asio::ssl;

constexpr std::string_view kHttpsScheme = "https://";

// Longer headers than this are no reply of this protocol.
constexpr std::uint32_t kHeaderLimit = 64 * 1024;
// A full server's Retry-After is waited out only up to this; a longer one is shown as it is.
constexpr std::chrono::seconds kLongestRetryWait{10};
// Why a call the host gave up failed, if anyone reads it.
constexpr const char* kAbandoned = "chamada abandonada";
// The longest a client that goes waits to connect for its sign-out, and then for the answer.
constexpr std::chrono::milliseconds kSignOutWait{2000};

// A failure in transport before any byte of a reply arrived: the request was not answered, and
// may be sent again on a new connection.
class Unanswered : public Exception {
public:
    using Exception::Exception;
};

// "host:port", with an IPv6 literal in brackets so the port stays apart.
std::string AddressText(const std::string& host, int port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

[[noreturn]] void RefuseAddress(const std::string& host, int port, const std::string& reason) {
    throw Exception("Não foi possível conectar ao servidor de aplicação em " +
                    AddressText(host, port) + " (" + reason + ").");
}

void CheckHost(const std::string& host, int port) {
    if (host.empty())
        RefuseAddress(host, port, "endereço não informado");
    // Control characters would end up in the request line; a URL is not a host name.
    const bool control = std::any_of(host.begin(), host.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    if (control || host.find_first_of("/ ") != std::string::npos)
        RefuseAddress(host, port, "informe só o nome ou o IP do servidor");
}

void CheckPort(const std::string& host, int port) {
    if (port < 1 || port > 65535)
        RefuseAddress(host, port, "porta fora do intervalo de 1 a 65535");
}

std::string Duration(std::chrono::milliseconds bound) {
    if (bound.count() < 1000 || bound.count() % 1000 != 0)
        return std::to_string(bound.count()) + " ms";
    return std::to_string(bound.count() / 1000) + " s";
}

// Waits for an operation on the stream with the stream's own deadline.
ErrorCode Completed(asio::io_context& io, const std::function<void(ErrorCode&)>& start) {
    ErrorCode result = asio::error::would_block;
    start(result);
    io.restart();
    io.run();
    return result;
}

std::unique_ptr<ssl::context> ClientTlsContext(const std::string& caFile) {
    auto context = std::make_unique<ssl::context>(ssl::context::tls_client);
    context->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 |
                         ssl::context::no_sslv3 | ssl::context::no_tlsv1 |
                         ssl::context::no_tlsv1_1);
    ErrorCode error;
    if (caFile.empty())
        context->set_default_verify_paths(error);
    else
        context->load_verify_file(caFile, error);
    if (error) {
        throw Exception("Não foi possível ler as autoridades de certificação" +
                        (caFile.empty() ? std::string(" do sistema") : " de '" + caFile + "'") +
                        " (" + error.message() + ").");
    }
    context->set_verify_mode(ssl::verify_peer);
    return context;
}

// The wait a full server asks for (503 with Retry-After in seconds), when it is one to honour
// within the reply's own bound.
std::optional<std::chrono::seconds> FullServerWait(const Response& response,
                                                   std::chrono::milliseconds readBound) {
    if (response.result() != http::status::service_unavailable)
        return std::nullopt;
    const auto header = response.find(http::field::retry_after);
    if (header == response.end())
        return std::nullopt;
    const std::string_view text = header->value();
    long long seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
        std::chrono::seconds(seconds) > kLongestRetryWait ||
        std::chrono::seconds(seconds) >= readBound)
        return std::nullopt;
    return std::chrono::seconds(seconds);
}

}  // namespace

struct HttpCallClient::Impl {
    Impl(std::vector<std::pair<std::string, int>> serverList, NetTimeouts limits,
         std::size_t sizeLimit, std::unique_ptr<ssl::context> tlsContext, bool plainPassword,
         ServerCredentialsSource signInAs)
        : servers(std::move(serverList)),
          timeouts(limits),
          replySizeLimit(sizeLimit),
          passwordOverPlainHttp(plainPassword),
          credentials(std::move(signInAs)),
          tls(std::move(tlsContext)) {
        UseServer(0);
    }

    void UseServer(std::size_t index) {
        current = index;
        host = servers[index].first;
        service = std::to_string(servers[index].second);
        address = (tls ? std::string(kHttpsScheme) : std::string()) +
                  AddressText(host, servers[index].second);
    }

    beast::tcp_stream& Tcp() { return secure ? secure->next_layer() : stream; }

    // Runs an operation on the stream the connection speaks: TLS or plain.
    template <class Operation>
    void OnStream(Operation operation) {
        if (secure)
            operation(*secure);
        else
            operation(stream);
    }

    // The reply to the request, over the kept-alive connection or a new one; a full server is
    // asked once more after the wait it names. Raises, naming the address after `failure`,
    // when the server cannot be reached, the reply does not arrive whole in time, or it
    // exceeds the size limit.
    Response Exchange(Request& request, const std::string& failure) {
        Response response = ExchangeAnswered(request, failure);
        if (const auto wait = FullServerWait(response, timeouts.read)) {
            retryWait.expires_after(*wait);
            Completed(io, [&](ErrorCode& result) {
                retryWait.async_wait([&result](ErrorCode e) { result = e; });
            });
            response = ExchangeAnswered(request, failure);
        }
        return response;
    }

    // A request nobody answered (the server could not be reached, or the connection failed
    // before any byte of the reply came, or the balancer says with a 502 that the server behind
    // it did) is sent once more, on a new connection, to the next server of the list. Only a
    // request with no reply at all: the calls of this protocol read and never change anything
    // (docs/protocol.md), so a second run does no harm, but a reply begun is never asked again.
    Response ExchangeAnswered(Request& request, const std::string& failure) {
        try {
            Response response = ExchangeOnce(request, failure);
            if (response.result() != http::status::bad_gateway)
                return response;
        } catch (const Unanswered&) {
            if (abandoned)
                throw;
        }
        CloseStream();
        UseServer((current + 1) % servers.size());
        return ExchangeOnce(request, failure);
    }

    Response ExchangeOnce(Request& request, const std::string& failure) {
        // Nothing more is sent for a call given up, not even its sign-in.
        if (abandoned)
            Fail(failure, kAbandoned);
        if (!Usable())
            Open(failure);
        request.set(http::field::host, host);
        request.keep_alive(true);
        request.prepare_payload();

        // One deadline for the whole exchange: a reply that trickles in cannot stretch it.
        Tcp().expires_after(timeouts.read);
        ErrorCode error = Completed(io, [&](ErrorCode& result) {
            OnStream([&](auto& s) {
                http::async_write(s, request, [&result](ErrorCode e, std::size_t) { result = e; });
            });
        });
        if (error)
            Fail<Unanswered>(failure, "falha ao enviar o pedido");

        http::response_parser<http::string_body> parser;
        parser.body_limit(replySizeLimit);
        parser.header_limit(kHeaderLimit);
        error = Completed(io, [&](ErrorCode& result) {
            OnStream([&](auto& s) {
                http::async_read_header(s, buffer, parser,
                                        [&result](ErrorCode e, std::size_t) { result = e; });
            });
        });
        // Beast 1.74 leaves a response's declared length unchecked against the limit (it checks
        // chunked bodies and bodies read to the end): refuse it here, before any of it is read.
        if (!error && parser.content_length().value_or(0) > replySizeLimit)
            error = http::error::body_limit;
        if (!error) {
            error = Completed(io, [&](ErrorCode& result) {
                OnStream([&](auto& s) {
                    http::async_read(s, buffer, parser,
                                     [&result](ErrorCode e, std::size_t) { result = e; });
                });
            });
        }
        if (error == beast::error::timeout)
            Fail(failure, "a resposta não chegou inteira em " + Duration(timeouts.read));
        if (error == http::error::body_limit) {
            Fail(failure,
                 "a resposta excede o limite de " + std::to_string(replySizeLimit) + " bytes");
        }
        if (error && buffer.size() == 0 && !parser.got_some())
            Fail<Unanswered>(failure, "a conexão caiu antes de qualquer resposta");
        if (error)
            Fail(failure, "a conexão caiu antes da resposta completa");
        Tcp().expires_never();
        Response response = parser.release();
        if (!response.keep_alive())
            CloseStream();
        return response;
    }

    // The reply, signing in first when the server asks for it (protocol version 2) and the host
    // has credentials to give; a refused sign-in's own reply is the answer then.
    Response ExchangeSignedIn(Request& request, const std::string& failure) {
        if (!token.empty())
            request.set(http::field::authorization, "Bearer " + token);
        Response response = Exchange(request, failure);
        if (response.result_int() != 401)
            return response;
        const std::optional<Credentials> signInAs = credentials ? credentials() : std::nullopt;
        if (!signInAs)
            return response;
        if (!tls && !passwordOverPlainHttp) {
            throw Exception("O servidor de aplicação em " + address +
                            " pede usuário e senha, mas a conexão com ele não é cifrada "
                            "(http://, sem TLS): a senha iria às claras pela rede, e ela não foi "
                            "enviada. Use o endereço https:// do servidor ou, aceitando esse "
                            "risco, a opção --server-plain-password.");
        }
        Request signIn{http::verb::post, std::string(kSignInPath), 11};
        signIn.set(http::field::accept, kJsonMediaType);
        signIn.set(http::field::content_type, kJsonMediaType);
        signIn.body() = EncodeSignInRequest(*signInAs);
        Response answer = Exchange(signIn, failure);
        if (answer.result_int() != 200)
            return answer;
        try {
            token = DecodeSignInToken(answer.body());
        } catch (const WireFormatError& error) {
            RaiseUnreadable(answer, error.what());
        }
        request.set(http::field::authorization, "Bearer " + token);
        return Exchange(request, failure);
    }

    // Ends the sign-in this client made, if any, on the server too, instead of leaving it to
    // its idle expiry; within kSignOutWait, on this server only. Raises as Exchange does.
    void SignOut() {
        const std::lock_guard lock(mutex);
        if (token.empty())
            return;
        abandoned = false;
        timeouts.connect = std::min(timeouts.connect, kSignOutWait);
        timeouts.read = std::min(timeouts.read, kSignOutWait);
        Request signOut{http::verb::post, std::string(kSignOutPath), 11};
        signOut.set(http::field::authorization, "Bearer " + token);
        token.clear();
        ExchangeOnce(signOut, "Falha na saída do servidor de aplicação");
    }

    [[noreturn]] void RaiseUnreadable(const Response& response, const std::string& detail) {
        throw Exception("O servidor de aplicação em " + address +
                        " enviou uma resposta inválida (estado " +
                        std::to_string(response.result_int()) + "): " + detail);
    }

    // A kept-alive connection the server has since closed (its idle time ran out) shows as
    // readable; a new one is opened instead.
    bool Usable() {
        if (!Tcp().socket().is_open())
            return false;
        pollfd waiting{Tcp().socket().native_handle(), POLLIN, 0};
        if (poll(&waiting, 1, 0) == 0)
            return true;
        CloseStream();
        return false;
    }

    void Open(const std::string& failure) {
        const std::string unreachable =
            "conexão recusada, endereço inalcançável ou sem resposta em " +
            Duration(timeouts.connect);
        ErrorCode error;
        tcp::resolver resolver(io);
        const auto endpoints = resolver.resolve(host, service, error);
        if (error)
            Fail<Unanswered>(failure, unreachable);
        if (tls)
            secure = std::make_unique<TlsStream>(io, *tls);
        Tcp().expires_after(timeouts.connect);
        error = Completed(io, [&](ErrorCode& result) {
            Tcp().async_connect(endpoints,
                                [&result](ErrorCode e, const tcp::endpoint&) { result = e; });
        });
        if (error)
            Fail<Unanswered>(failure, unreachable);
        // Headers and body go out in separate writes: without this each call waits on a
        // delayed acknowledgement.
        Tcp().socket().set_option(tcp::no_delay(true), error);
        buffer.clear();
        if (secure)
            Handshake(failure);
    }

    // The server's certificate must be signed by a trusted authority and name the host.
    void Handshake(const std::string& failure) {
        // The server name for servers that hold several certificates (SSL_set_tlsext_host_name,
        // whose macro form the warnings refuse).
        SSL_ctrl(secure->native_handle(), SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                 const_cast<char*>(host.c_str()));
        secure->set_verify_callback(ssl::host_name_verification(host));
        Tcp().expires_after(timeouts.connect);
        const ErrorCode error = Completed(io, [&](ErrorCode& result) {
            secure->async_handshake(ssl::stream_base::client,
                                    [&result](ErrorCode e) { result = e; });
        });
        if (error == beast::error::timeout)
            Fail(failure, "o TLS não se estabeleceu em " + Duration(timeouts.connect));
        if (error) {
            Fail(failure, "o TLS falhou: " + error.message() +
                              "; o certificado do servidor deve ser de uma autoridade "
                              "confiável (--ca-file) e ter o nome do servidor, e o servidor "
                              "deve usar TLS");
        }
        Tcp().expires_never();
    }

    // The connection's state is unknown after a failure: the next call starts afresh.
    template <class Failure = Exception>
    [[noreturn]] void Fail(const std::string& failure, const std::string& reason) {
        CloseStream();
        throw Failure(failure + " em " + address + " (" + (abandoned ? kAbandoned : reason) + ").");
    }

    // Gives call number `call` up, on the thread running the connection (posted there from the
    // thread that gave it up): the socket is closed under whatever the call waits for, so the
    // server sees its client go. A call that has ended since has another number: nothing happens.
    void Abandon(std::uint64_t call) {
        if (call != calls || abandoned)
            return;
        abandoned = true;
        ErrorCode ignored;
        Tcp().socket().close(ignored);
        retryWait.cancel();
    }

    void CloseStream() {
        ErrorCode ignored;
        Tcp().socket().shutdown(tcp::socket::shutdown_both, ignored);
        Tcp().close();
        secure.reset();
        buffer.clear();
    }

    std::vector<std::pair<std::string, int>> servers;  // tried in turn after a call unanswered
    std::size_t current = 0;
    std::string host;  // of the server in use
    std::string service;
    std::string token;  // of the last sign-in; empty before one
    std::string address;
    NetTimeouts timeouts;
    std::size_t replySizeLimit;
    bool passwordOverPlainHttp;
    ServerCredentialsSource credentials;
    std::mutex mutex;
    std::uint64_t calls = 0;  // calls begun; the one under way has the last number
    bool abandoned = false;   // the call under way was given up
    asio::io_context io{1};
    asio::steady_timer retryWait{io};
    std::unique_ptr<ssl::context> tls;  // null: plain HTTP
    beast::tcp_stream stream{io};
    std::unique_ptr<TlsStream> secure;  // the open TLS connection, over its own TCP stream
    beast::flat_buffer buffer;
};

HttpCallClient::HttpCallClient(const std::string& address, int port, NetTimeouts timeouts,
                               std::size_t replySizeLimit, const std::string& caFile,
                               bool passwordOverPlainHttp,
                               const std::vector<std::pair<std::string, int>>& otherServers,
                               ServerCredentialsSource credentials) {
    const bool https = address.starts_with(kHttpsScheme);
    std::vector<std::pair<std::string, int>> servers = {{address, port}};
    servers.insert(servers.end(), otherServers.begin(), otherServers.end());
    for (auto& [host, serverPort] : servers) {
        // One TLS setting for all: a call is never sent in clear where the first is TLS.
        if (host.starts_with(kHttpsScheme) != https)
            RefuseAddress(host, serverPort, "todos os servidores com https:// ou nenhum");
        if (https)
            host = host.substr(kHttpsScheme.size());
        CheckHost(host, serverPort);
        CheckPort(host, serverPort);
    }
    CheckNetTimeouts(timeouts);
    CheckReplySizeLimit(replySizeLimit);
    impl_ = std::make_unique<Impl>(std::move(servers), timeouts, replySizeLimit,
                                   https ? ClientTlsContext(caFile) : nullptr,
                                   passwordOverPlainHttp, std::move(credentials));
}

HttpCallClient::~HttpCallClient() {
    // Nobody waits for the answer: a server that cannot be reached now lets the sign-in expire.
    try {
        impl_->SignOut();
    } catch (const std::exception&) {
    }
}

const std::string& HttpCallClient::Address() const {
    return impl_->address;
}

void HttpCallClient::CheckObject(const std::string& objectName) {
    if (!IsValidObjectName(objectName)) {
        throw Exception("Nome de objeto do servidor de aplicação inválido: '" + objectName + "'.");
    }
    const std::lock_guard lock(impl_->mutex);
    impl_->abandoned = false;
    Request request{http::verb::get, ObjectPath(objectName), 11};
    request.set(http::field::accept, kJsonMediaType);
    const Response response =
        impl_->ExchangeSignedIn(request, "Não foi possível conectar ao servidor de aplicação");
    try {
        if (response.result_int() != 200) {
            throw Exception("O servidor de aplicação em " + impl_->address +
                            " recusou a conexão ao objeto " + objectName + ": " +
                            DecodeCallReply(response.body()).result.ErrorMessage());
        }
        const ObjectInfo info = DecodeObjectInfo(response.body());
        if (info.name != objectName) {
            throw WireFormatError("descreve o objeto " + info.name + ", não " + objectName);
        }
    } catch (const WireFormatError& error) {
        impl_->RaiseUnreadable(response, error.what());
    }
}

CallReply HttpCallClient::Call(const std::string& objectName, const std::string& method,
                               const CallRequest& callRequest, std::stop_token stop) {
    if (!IsValidObjectName(objectName) || !IsValidMethodName(method)) {
        throw Exception("Nome de objeto ou método do servidor de aplicação inválido: '" +
                        objectName + "." + method + "'.");
    }
    Request request{http::verb::post, CallPath(objectName, method), 11};
    request.set(http::field::accept, kJsonMediaType);
    request.set(http::field::content_type, kJsonMediaType);
    request.body() = EncodeCallRequest(callRequest);
    const std::lock_guard lock(impl_->mutex);
    const std::uint64_t call = ++impl_->calls;
    impl_->abandoned = false;
    const std::stop_callback giveUp(stop, [impl = impl_.get(), call] {
        asio::post(impl->io, [impl, call] { impl->Abandon(call); });
    });
    const Response response = impl_->ExchangeSignedIn(
        request, "Falha na chamada de " + method + " ao servidor de aplicação");
    try {
        CallReply reply = DecodeCallReply(response.body());
        // Only a 200 carries a result; any other status must be an error reply.
        if (response.result_int() != 200 && !reply.result.IsError()) {
            throw WireFormatError("resultado em uma resposta de erro");
        }
        return reply;
    } catch (const WireFormatError& error) {
        impl_->RaiseUnreadable(response, error.what());
    }
}

}  // namespace hostfw
