#include "server_program.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <thread>

#include "call_audit.h"
#include "call_dispatcher.h"
#include "call_log.h"
#include "database_health.h"
#include "host/core/system_login.h"
#include "host/data/audit_trail.h"
#include "host/data/database_names_help.h"
#include "host/data/engine.h"
#include "host/data/person_record.h"
#include "http_service.h"
#include "listen_exposure.h"
#include "password_check.h"
#include "queued_audit.h"
#include "server_options.h"
#include "shared_sign_ins.h"
#include "shutdown_signals.h"
#include "sign_in_gate.h"
#include "standby_lag.h"
#include "thread_engines.h"
#include "token_seal.h"

namespace appserver {
namespace {

constexpr std::chrono::seconds kLongestSweep{60};

int Serve(const ServerOptions& options, const RemoteObjectRegistry& registry) {
    // Before any thread starts, the database's own included (an embedded Firebird engine has
    // threads of its own).
    ShutdownSignals signals;
    // Refuse to start on a database that cannot be opened, rather than fail every call.
    const bool signIn = hostfw::KeepsPeople(*hostfw::OpenDatabase(options.database));
    if (const auto refusal = ExposureRefusal(options, !options.tlsCert.empty(), signIn))
        throw std::invalid_argument(*refusal);
    // A sign-in is only as good as PostgreSQL's check of the password.
    if (signIn) {
        if (const auto refusal = UncheckedPasswordsRefusal(options.database))
            throw std::runtime_error(*refusal);
        if (!SharedSignIns::Exists(*hostfw::OpenDatabase(options.database))) {
            throw std::runtime_error(
                "o banco não tem a tabela das entradas (SESSAO_ENTRADA), ou o login do servidor "
                "não pode lê-la: rode exp036-admin setup de novo.");
        }
    }

    ThreadEngines engines(options.database);
    const CallDispatcher dispatcher(registry, engines,
                                    std::chrono::seconds(options.timeoutSeconds));
    CallLog log(std::cerr);
    // With sign-in the audit is part of the protection: a row is written before the result goes
    // out. On the embedded default the person owns the file and the audit is a record: rows
    // are written in batches behind the calls, and one that cannot be written is logged.
    std::optional<QueuedAudit> queued;
    if (!signIn) {
        queued.emplace(options.database, [&log](const std::string& failure) { log.Warn(failure); });
    }
    // After a database restart the worker's connection is dead: the row goes on a new one.
    CallAudit audit([&](const hostfw::AuditEvent& event) {
        if (queued) {
            queued->Add(event);
            return;
        }
        engines.RunOnCurrentThread(
            [&event](hostfw::Engine& engine) { hostfw::RecordAudit(engine, event); });
    });
    if (!options.reportDatabase.empty() && !signIn) {
        throw std::invalid_argument(
            "--report-db vale num banco PostgreSQL preparado para uso compartilhado "
            "(exp036-admin setup), onde cada chamada tem a sua pessoa.");
    }
    std::optional<StandbyLag> standbyLag;
    if (!options.reportDatabase.empty())
        standbyLag.emplace(options.reportDatabase, std::chrono::seconds(options.reportLagSeconds));
    std::optional<SignInGate> gate;
    // Without sign-in the server serves one person: the one who runs it, as the host names
    // that person in its own audit rows.
    const std::string person = hostfw::SystemLogin();
    RequestHandler handler = [&dispatcher, &audit, &person](const HttpRequestView& request,
                                                            const std::string& client) {
        return audit.Run(request, client, person,
                         [&] { return RouteRequest(dispatcher, request); });
    };
    // Calls take turns by person where people sign in, by client address otherwise.
    CallOwner ownerOf = [&gate](std::string_view authorization, const std::string& client) {
        if (gate) {
            if (const auto login = gate->PersonOf(authorization))
                return "pessoa " + *login;
        }
        return "endereço " + client;
    };
    RefusalRecorder recordRefusal = [&audit, nobody = signIn ? kAnonymous : person](
                                        const HttpRequestView& request, const std::string& client,
                                        const DispatchResult& refusal) {
        audit.RecordRefused(request, client, nobody, refusal);
    };
    const std::chrono::seconds connectionIdle(options.connectionIdleSeconds);
    if (signIn) {
        gate.emplace(
            dispatcher, audit, options.database, std::chrono::minutes(options.signInIdleMinutes),
            connectionIdle,
            options.sessionKeyFile.empty() ? TokenSeal::Random()
                                           : TokenSeal::FromFile(options.sessionKeyFile),
            [&engines](const std::function<void(hostfw::Engine&)>& work) {
                engines.RunOnCurrentThread(work);
            },
            options.reportDatabase, standbyLag ? &*standbyLag : nullptr);
        handler = [&gate](const HttpRequestView& request, const std::string& client) {
            return gate->Handle(request, client);
        };
    }
    DatabaseHealth health(options.database);
    HttpService service(std::move(handler), std::move(ownerOf), std::move(recordRefusal), options,
                        log, health);
    // An idle connection is closed, and an idle sign-in ended, at most one sweep after its
    // idle time.
    if (signIn)
        service.Every(std::min<std::chrono::seconds>(connectionIdle, kLongestSweep),
                      [&gate] { gate->EndIdle(); });

    const int port = service.Bind();
    if (options.insecure) {
        log.Warn(
            "--insecure: o servidor aceita escutar além do loopback sem TLS ou sem entrada; "
            "quem alcançar esta porta pode ler tudo o que o servidor lê e ver as senhas "
            "que passarem por ela.");
    }
    if (signIn)
        std::cerr << "exp036-appserver: cada chamada exige entrada (protocolo 2)." << std::endl;
    std::cout << "listening on " << options.listenHost << ":" << port << std::endl;
    if (!options.tlsCert.empty())
        std::cerr << "exp036-appserver: só conexões TLS." << std::endl;
    // Draining first: the balancer sees the health check fail and sends the calls elsewhere,
    // while the calls already here are answered.
    signals.OnSignal([&service, &health, &log, drain = std::chrono::seconds(options.drainSeconds)] {
        if (drain.count() > 0) {
            health.Drain();
            log.Warn("drenando: o servidor para em " + std::to_string(drain.count()) + " s.");
            std::this_thread::sleep_for(drain);
        }
        service.Stop();
    });
    service.Run();
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
            std::cout << UsageText() << program.ownUsage << hostfw::kDatabaseNamesHelp;
            return 0;
        }
        return Serve(*options, program.offeredObjects());
    } catch (const std::invalid_argument& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "exp036-appserver: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace appserver
