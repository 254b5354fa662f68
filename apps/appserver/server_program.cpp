#include "server_program.h"

#include <csignal>
#include <iostream>
#include <stdexcept>

#include "call_dispatcher.h"
#include "call_log.h"
#include "host/data/engine.h"
#include "http_service.h"
#include "server_options.h"
#include "shutdown_signals.h"
#include "thread_engines.h"

namespace appserver {
namespace {

int serve(const ServerOptions& options, const RemoteObjectRegistry& registry) {
    // Refuse to start on a database that cannot be opened, rather than fail every call.
    hostfw::OpenDatabase(options.database);

    ShutdownSignals signals;
    ThreadEngines engines(options.database);
    const CallDispatcher dispatcher(registry, engines,
                                    std::chrono::seconds(options.timeoutSeconds));
    CallLog log(std::cerr);
    HttpService service(dispatcher, options, log);

    const int port = service.bind();
    std::cout << "listening on " << options.listenHost << ":" << port << std::endl;
    signals.OnSignal([&service] { service.stop(); });
    service.run();
    signals.StopWaiting();
    std::cerr << "exp036-appserver: encerrado." << std::endl;
    return 0;
}

}  // namespace

int RunServerProgram(const std::vector<std::string>& args, const ServerProgram& program) {
    // A client that hangs up mid-reply must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        std::vector<std::string> common = args;
        program.takeOwnOptions(common);
        const auto options = ParseServerOptions(common);
        if (!options) {
            std::cout << UsageText() << program.ownUsage;
            return 0;
        }
        return serve(*options, program.offeredObjects());
    } catch (const std::invalid_argument& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace appserver
