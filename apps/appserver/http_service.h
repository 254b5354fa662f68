#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "call_log.h"
#include "database_health.h"
#include "http_connection.h"
#include "request_router.h"
#include "server_options.h"

namespace appserver {

// The HTTP side of the server: one I/O thread accepts connections and reads requests, each
// under its deadline, and --threads workers run the calls, taking turns among their owners, so
// clients that are slow or idle hold no worker and none holds them all. A client address over
// its connection quota is turned away before it takes a slot of the shared pool. Every request
// is answered as docs/protocol.md says and logged on one line.
class HttpService {
public:
    // `health` answers GET /health.
    HttpService(RequestHandler handler, CallOwner ownerOf, RefusalRecorder recordRefusal,
                const ServerOptions& options, CallLog& log, const DatabaseHealth& health);
    ~HttpService();

    // Binds the listening socket and returns its port (the chosen one for port 0); raises
    // std::runtime_error when the address cannot be bound.
    int Bind();
    // Runs `chore` every period on the I/O thread while the server serves; before run(). The
    // chore must be quick and must not raise.
    void Every(std::chrono::steady_clock::duration period, std::function<void()> chore);
    // Serves until stop(); the calls under way finish and their replies go out first.
    void Run();
    // From another thread; returns once run() has returned. Called before run(), it takes
    // effect as soon as run() starts, so a signal that comes early is never lost.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace appserver
