#pragma once

#include <atomic>
#include <memory>

#include "call_dispatcher.h"
#include "call_log.h"
#include "server_options.h"

namespace httplib {
class Server;
}

namespace appserver {

// The HTTP side of the server: routes GET /<object> and POST /<object>/<method> to the
// dispatcher, answers every other request and every refusal of the HTTP layer (a body over
// the limit, a malformed request) with a JSON error reply, and logs one line per request.
class HttpService {
public:
    HttpService(const CallDispatcher& dispatcher, const ServerOptions& options, CallLog& log);
    ~HttpService();

    // Binds the listening socket and returns its port (the chosen one for port 0); raises
    // std::runtime_error when the address cannot be bound.
    int bind();
    // Serves until stop(); the calls under way finish first.
    void run();
    // From another thread; returns once run() has returned. Called before run() has started
    // listening, it waits for it, so a signal that comes early is never lost.
    void stop();

private:
    const CallDispatcher& dispatcher_;
    const ServerOptions& options_;
    CallLog& log_;
    std::unique_ptr<httplib::Server> server_;
    std::atomic<bool> finished_{false};
};

}  // namespace appserver
