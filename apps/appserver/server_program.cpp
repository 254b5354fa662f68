#include "server_program.h"

#include <csignal>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "call_dispatcher.h"
#include "call_log.h"
#include "host/data/engine.h"
#include "host/data/person_record.h"
#include "http_service.h"
#include "listen_exposure.h"
#include "server_options.h"
#include "shutdown_signals.h"
#include "sign_in_gate.h"
#include "thread_engines.h"

namespace appserver {
namespace {

int serve(const ServerOptions& options, const RemoteObjectRegistry& registry) {
    // Refuse to start on a database that cannot be opened, rather than fail every call.
    const bool signIn = hostfw::KeepsPeople(*hostfw::OpenDatabase(options.database));
    if (const auto refusal = ExposureRefusal(options, !options.tlsCert.empty(), signIn))
        throw std::invalid_argument(*refusal);

    ShutdownSignals signals;
    ThreadEngines engines(options.database);
    const CallDispatcher dispatcher(registry, engines,
                                    std::chrono::seconds(options.timeoutSeconds));
    CallLog log(std::cerr);
    std::optional<SignInGate> gate;
    RequestHandler handler = [&dispatcher](const HttpRequestView& request, const std::string&) {
        return RouteRequest(dispatcher, request);
    };
    if (signIn) {
        gate.emplace(dispatcher, engines, options.database,
                     std::chrono::minutes(options.signInIdleMinutes));
        handler = [&gate](const HttpRequestView& request, const std::string& client) {
            return gate->Handle(request, client);
        };
    }
    HttpService service(std::move(handler), options, log);

    const int port = service.bind();
    if (signIn)
        std::cerr << "exp036-appserver: cada chamada exige entrada (protocolo 2)." << std::endl;
    std::cout << "listening on " << options.listenHost << ":" << port << std::endl;
    if (!options.tlsCert.empty())
        std::cerr << "exp036-appserver: só conexões TLS." << std::endl;
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
