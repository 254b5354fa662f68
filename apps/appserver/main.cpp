// exp036-appserver: the application server of the report EXP036.

#include <csignal>
#include <iostream>
#include <stdexcept>

#include "call_dispatcher.h"
#include "call_log.h"
#include "host/core/exception.h"
#include "host/data/engine.h"
#include "http_service.h"
#include "rdm_rel_cons_lanc.h"
#include "server_options.h"
#include "shutdown_signals.h"
#include "test_object.h"
#include "thread_engines.h"

namespace {

appserver::RemoteObjectRegistry offeredObjects(const appserver::ServerOptions& options) {
    appserver::RemoteObjectRegistry registry;
    registry.emplace(appserver::kRdmRelConsLancName,
                     appserver::makeRdmRelConsLanc(options.getNotaTestMode));
    if (options.testObjects)
        registry.emplace(appserver::kTestObjectName, appserver::makeTestObject());
    return registry;
}

int serve(const appserver::ServerOptions& options) {
    // Refuse to start on a database that cannot be opened, rather than fail every call.
    hostfw::OpenDatabase(options.database);

    appserver::ShutdownSignals signals;
    const appserver::RemoteObjectRegistry registry = offeredObjects(options);
    appserver::ThreadEngines engines(options.database);
    const appserver::CallDispatcher dispatcher(registry, engines,
                                               std::chrono::seconds(options.timeoutSeconds));
    appserver::CallLog log(std::cerr);
    appserver::HttpService service(dispatcher, options, log);

    const int port = service.bind();
    std::cout << "listening on " << options.listenHost << ":" << port << std::endl;
    signals.onSignal([&service] { service.stop(); });
    service.run();
    signals.stopWaiting();
    std::cerr << "exp036-appserver: encerrado." << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A client that hangs up mid-reply must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const auto options = appserver::parseServerOptions({argv + 1, argv + argc});
        if (!options) {
            std::cout << appserver::usageText();
            return 0;
        }
        return serve(*options);
    } catch (const std::invalid_argument& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 1;
    }
}
