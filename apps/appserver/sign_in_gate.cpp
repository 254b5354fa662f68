#include "sign_in_gate.h"

#include <strings.h>

#include "host/data/audit_trail.h"
#include "host/data/person_record.h"
#include "host/data/sign_in_refused.h"
#include "host/wire/sign_in_messages.h"
#include "host/wire/wire_codec.h"

namespace appserver {
namespace {

// Longer argument texts are cut in the audit; the call itself is bounded by --max-body.
constexpr std::size_t kAuditedArgumentsLimit = 4000;
constexpr const char* kNobody = "(anônimo)";

std::string Cut(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, limit));
}

std::optional<std::string> BearerToken(std::string_view authorization) {
    constexpr std::string_view kBearer = "Bearer ";
    if (authorization.size() <= kBearer.size() ||
        strncasecmp(authorization.data(), kBearer.data(), kBearer.size()) != 0)
        return std::nullopt;
    return std::string(authorization.substr(kBearer.size()));
}

}  // namespace

SignInGate::SignInGate(const CallDispatcher& dispatcher, ThreadEngines& ownEngines,
                       std::string database, std::chrono::minutes idle)
    : dispatcher_(dispatcher),
      ownEngines_(ownEngines),
      database_(std::move(database)),
      sessions_(idle),
      engines_(database_, idle) {}

DispatchResult SignInGate::Handle(const HttpRequestView& request, const std::string& client) {
    try {
        if (RequestPath(request.target) == hostfw::kSignInPath) {
            if (request.method != "POST")
                return ErrorResult(405, "A entrada é um POST em /sign-in.");
            return SignIn(request.body, client);
        }
        return Call(request, client);
    } catch (const std::exception& failure) {
        return ErrorResult(
            500, std::string("Falha interna do servidor de aplicação: ") + failure.what());
    }
}

DispatchResult SignInGate::SignIn(std::string_view body, const std::string& client) {
    hostfw::Credentials credentials;
    try {
        credentials = hostfw::DecodeSignInRequest(body);
    } catch (const hostfw::WireFormatError& error) {
        return ErrorResult(400, std::string("Pedido de entrada malformado: ") + error.what());
    }
    hostfw::AuditEvent event{credentials.user,   client, hostfw::kAuditSignInRefused,
                             "exp036-appserver", "",     std::nullopt,
                             std::nullopt,       "",     ""};
    // The password is not even tried while the address waits.
    if (const auto wait = throttle_.WaitFor(client)) {
        event.outcome = "Tentativas de entrada demais a partir deste endereço; tente de novo em " +
                        std::to_string(wait->count()) + " s.";
        return Audited(ErrorResult(429, event.outcome), event);
    }
    std::shared_ptr<hostfw::Engine> engine;
    try {
        engine = hostfw::OpenDatabaseAs(database_, credentials);
    } catch (const hostfw::SignInRefused&) {
        throttle_.Refused(client);
        event.outcome = "Usuário ou senha incorretos.";
        return Audited(ErrorResult(401, event.outcome), event);
    } catch (const hostfw::Exception& failure) {
        event.outcome = std::string("banco indisponível: ") + failure.what();
        return Audited(ErrorResult(503, "Não foi possível verificar a entrada no banco de dados."),
                       event);
    }
    std::optional<hostfw::Person> person;
    try {
        person = hostfw::SignedInPersonRecord(*engine);
    } catch (const hostfw::Exception& failure) {
        throttle_.Refused(client);
        event.outcome = failure.what();
        return Audited(ErrorResult(403, failure.what()), event);
    }
    if (!person) {
        event.outcome = "banco sem cadastro de pessoas";
        return Audited(ErrorResult(500,
                                   "O banco de dados não está preparado para uso "
                                   "compartilhado (exp036-admin setup)."),
                       event);
    }
    throttle_.Accepted(client);
    engines_.Keep(person->login, std::move(engine));
    const std::string token = sessions_.Open({*person, credentials});
    event.person = person->login;
    event.event = hostfw::kAuditSignIn;
    event.outcome = "ok";
    return Audited({200, hostfw::EncodeSignInReply(token, *person, sessions_.IdleTime()),
                    std::nullopt, "ok: entrada de " + person->login},
                   event);
}

DispatchResult SignInGate::Call(const HttpRequestView& request, const std::string& client) {
    const std::string path = RequestPath(request.target);
    const bool call = request.method == "POST";
    hostfw::AuditEvent event{kNobody,
                             client,
                             hostfw::kAuditCall,
                             Cut(path.substr(path.empty() ? 0 : 1), 255),
                             call ? Cut(request.body, kAuditedArgumentsLimit) : std::string(),
                             std::nullopt,
                             std::nullopt,
                             "",
                             ""};
    const auto audit = [&](DispatchResult result) {
        // An object description reveals nothing; only calls and refusals are audited.
        if (!call && result.status != 401)
            return result;
        event.outcome = result.status == 200 ? "ok" : result.outcome;
        return Audited(std::move(result), event);
    };
    const std::optional<std::string> token = BearerToken(request.authorization);
    if (!token) {
        return audit(ErrorResult(401,
                                 "Este servidor de aplicação exige entrada: informe usuário "
                                 "e senha."));
    }
    const auto signedIn = sessions_.Find(*token);
    if (!signedIn) {
        return audit(ErrorResult(401,
                                 "A entrada no servidor de aplicação expirou ou não é "
                                 "válida; entre de novo."));
    }
    event.person = signedIn->person.login;
    const Caller caller{signedIn->person, [this, signedIn] { return engines_.Lend(*signedIn); }};
    const auto start = std::chrono::steady_clock::now();
    DispatchResult result = RouteRequest(dispatcher_, request, &caller);
    event.durationMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    if (result.rows)
        event.rows = static_cast<long long>(*result.rows);
    return audit(std::move(result));
}

DispatchResult SignInGate::Audited(DispatchResult result, hostfw::AuditEvent event) {
    try {
        hostfw::RecordAudit(ownEngines_.ForCurrentThread(), event);
    } catch (const std::exception& failure) {
        return ErrorResult(500, std::string("A chamada não pôde ser registrada na auditoria; "
                                            "nada foi entregue: ") +
                                    failure.what());
    }
    return result;
}

}  // namespace appserver
