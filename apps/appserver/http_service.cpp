#include "http_service.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "host/wire/wire_protocol.h"
#include "media_type.h"

namespace appserver {
namespace {

using Clock = std::chrono::steady_clock;

std::string fallbackText(int status, std::size_t maxBody) {
    switch (status) {
        case 400:
            return "Pedido HTTP malformado.";
        case 404:
            return "Recurso inexistente neste servidor de aplicação.";
        case 413:
            return "O pedido excede o tamanho máximo de " + std::to_string(maxBody) + " bytes.";
        default:
            return "Pedido recusado pelo servidor de aplicação (estado " + std::to_string(status) +
                   ").";
    }
}

// The request as this protocol accepts it; otherwise the refusal to send.
std::optional<DispatchResult> refusedEncoding(const httplib::Request& request) {
    if (!isJsonContentType(request.get_header_value("Content-Type"))) {
        return errorResult(415, "O corpo do pedido deve ser application/json.");
    }
    if (!acceptsJson(request.get_header_value("Accept"))) {
        return errorResult(406, "Este servidor de aplicação só responde em application/json.");
    }
    return std::nullopt;
}

}  // namespace

HttpService::HttpService(const CallDispatcher& dispatcher, const ServerOptions& options,
                         CallLog& log)
    : dispatcher_(dispatcher),
      options_(options),
      log_(log),
      server_(std::make_unique<httplib::Server>()) {
    const auto threads = static_cast<std::size_t>(options_.threads);
    server_->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    server_->set_payload_max_length(options_.maxBody);
    server_->set_tcp_nodelay(true);
    server_->set_read_timeout(options_.timeoutSeconds, 0);
    server_->set_write_timeout(options_.timeoutSeconds, 0);
    server_->set_keep_alive_timeout(options_.keepAliveSeconds);

    const auto reply = [this](const httplib::Request& request, httplib::Response& response,
                              Clock::time_point start, const DispatchResult& result) {
        response.status = result.status;
        response.set_content(result.body, std::string(hostfw::kJsonMediaType));
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        log_.write(
            {request.method, request.path, result.status, elapsed, result.rows, result.outcome});
    };

    server_->Get(
        R"(/([^/]+))", [this, reply](const httplib::Request& request, httplib::Response& response) {
            const auto start = Clock::now();
            reply(request, response, start, dispatcher_.describeObject(request.matches[1].str()));
        });
    server_->Post(R"(/([^/]+)/([^/]+))",
                  [this, reply](const httplib::Request& request, httplib::Response& response) {
                      const auto start = Clock::now();
                      const auto refused = refusedEncoding(request);
                      reply(request, response, start,
                            refused ? *refused
                                    : dispatcher_.call(request.matches[1].str(),
                                                       request.matches[2].str(), request.body));
                  });
    // Refusals made before any handler ran (no route, a body over the limit, a malformed
    // request line) come with an empty body: give them the protocol's error form.
    server_->set_error_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            if (!response.body.empty())
                return;
            const DispatchResult result =
                errorResult(response.status, fallbackText(response.status, options_.maxBody));
            response.set_content(result.body, std::string(hostfw::kJsonMediaType));
            log_.write({request.method, request.path, response.status, std::nullopt, std::nullopt,
                        result.outcome});
        });
}

HttpService::~HttpService() = default;

int HttpService::bind() {
    const int port =
        options_.port == 0
            ? server_->bind_to_any_port(options_.listenHost)
            : (server_->bind_to_port(options_.listenHost, options_.port) ? options_.port : -1);
    if (port <= 0) {
        throw std::runtime_error("não foi possível escutar em " + options_.listenHost + ":" +
                                 std::to_string(options_.port) + ".");
    }
    return port;
}

void HttpService::run() {
    server_->listen_after_bind();
    finished_ = true;
}

void HttpService::stop() {
    // The HTTP library ignores a stop that comes before its loop runs: repeat it until the loop
    // has ended.
    while (!finished_) {
        server_->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace appserver
