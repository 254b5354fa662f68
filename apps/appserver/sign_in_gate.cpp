#include "sign_in_gate.h"

#include <strings.h>

#include "host/data/audit_trail.h"
#include "host/data/person_record.h"
#include "host/data/sign_in_refused.h"
#include "host/wire/sign_in_messages.h"
#include "host/wire/wire_codec.h"
#include "password_check.h"

namespace appserver {
namespace {

std::optional<std::string> BearerToken(std::string_view authorization) {
    constexpr std::string_view kBearer = "Bearer ";
    if (authorization.size() <= kBearer.size() ||
        strncasecmp(authorization.data(), kBearer.data(), kBearer.size()) != 0)
        return std::nullopt;
    return std::string(authorization.substr(kBearer.size()));
}

}  // namespace

SignInGate::SignInGate(const CallDispatcher& dispatcher, CallAudit& audit, std::string database,
                       std::chrono::minutes signInIdle, std::chrono::seconds connectionIdle)
    : dispatcher_(dispatcher),
      audit_(audit),
      database_(std::move(database)),
      sessions_(signInIdle),
      engines_(database_, connectionIdle) {}

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

std::optional<std::string> SignInGate::PersonOf(std::string_view authorization) {
    const std::optional<std::string> token = BearerToken(authorization);
    if (!token)
        return std::nullopt;
    const auto signedIn = sessions_.Find(*token);
    if (!signedIn)
        return std::nullopt;
    return signedIn->person.login;
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
    // The password is not even tried while this login waits at this address.
    if (const auto wait = throttle_.WaitFor(credentials.user, client)) {
        event.outcome =
            "Tentativas de entrada demais com este usuário a partir deste endereço; "
            "tente de novo em " +
            std::to_string(wait->count()) + " s.";
        return audit_.Record(ErrorResult(429, event.outcome), event);
    }
    std::shared_ptr<hostfw::Engine> engine;
    try {
        engine = OpenAsPerson(database_, credentials);
    } catch (const hostfw::SignInRefused&) {
        throttle_.Refused(credentials.user, client);
        event.outcome = "Usuário ou senha incorretos.";
        return audit_.Record(ErrorResult(401, event.outcome), event);
    } catch (const PasswordNotChecked& unchecked) {
        event.outcome = unchecked.what();
        return audit_.Record(ErrorResult(500, unchecked.what()), event);
    } catch (const hostfw::Exception& failure) {
        event.outcome = std::string("banco indisponível: ") + failure.what();
        return audit_.Record(
            ErrorResult(503, "Não foi possível verificar a entrada no banco de dados."), event);
    }
    std::optional<hostfw::Person> person;
    try {
        person = hostfw::SignedInPersonRecord(*engine);
    } catch (const hostfw::Exception& failure) {
        throttle_.Refused(credentials.user, client);
        event.outcome = failure.what();
        return audit_.Record(ErrorResult(403, failure.what()), event);
    }
    if (!person) {
        event.outcome = "banco sem cadastro de pessoas";
        return audit_.Record(ErrorResult(500,
                                         "O banco de dados não está preparado para uso "
                                         "compartilhado (exp036-admin setup)."),
                             event);
    }
    throttle_.Accepted(credentials.user, client);
    engines_.Keep(person->login, std::move(engine));
    const std::string token = sessions_.Open({*person, credentials});
    event.person = person->login;
    event.event = hostfw::kAuditSignIn;
    event.outcome = "ok";
    return audit_.Record({200, hostfw::EncodeSignInReply(token, *person, sessions_.IdleTime()),
                          std::nullopt, "ok: entrada de " + person->login, std::nullopt},
                         event);
}

DispatchResult SignInGate::Call(const HttpRequestView& request, const std::string& client) {
    const std::optional<std::string> token = BearerToken(request.authorization);
    if (!token) {
        return audit_.Run(request, client, kAnonymous, [] {
            return ErrorResult(401,
                               "Este servidor de aplicação exige entrada: informe usuário e "
                               "senha.");
        });
    }
    const auto signedIn = sessions_.Find(*token);
    if (!signedIn) {
        return audit_.Run(request, client, kAnonymous, [] {
            return ErrorResult(401,
                               "A entrada no servidor de aplicação expirou ou não é válida; "
                               "entre de novo.");
        });
    }
    const Caller caller{signedIn->person, [this, signedIn] { return engines_.Lend(*signedIn); }};
    return audit_.Run(request, client, signedIn->person.login,
                      [&] { return RouteRequest(dispatcher_, request, &caller); });
}

}  // namespace appserver
