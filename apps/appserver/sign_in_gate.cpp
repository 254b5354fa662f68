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
                       std::chrono::minutes signInIdle, std::chrono::seconds connectionIdle,
                       TokenSeal seal, SharedSignIns::Runner shared, std::string standby,
                       const StandbyLag* lag)
    : dispatcher_(dispatcher),
      audit_(audit),
      database_(std::move(database)),
      sessions_(signInIdle, std::move(seal)),
      shared_(std::move(shared), signInIdle),
      engines_(database_, connectionIdle),
      lag_(lag) {
    if (!standby.empty())
        standbyEngines_.emplace(std::move(standby), connectionIdle);
}

DispatchResult SignInGate::Handle(const HttpRequestView& request, const std::string& client) {
    try {
        if (RequestPath(request.target) == hostfw::kSignInPath) {
            if (request.method != "POST")
                return ErrorResult(405, "A entrada é um POST em /sign-in.");
            return SignIn(request.body, client);
        }
        if (RequestPath(request.target) == hostfw::kSignOutPath) {
            if (request.method != "POST")
                return ErrorResult(405, "A saída é um POST em /sign-out.");
            return SignOut(request, client);
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
    try {
        shared_.DeleteEnded();
        shared_.Open(TokenDigest(token), person->login);
    } catch (const hostfw::Exception& failure) {
        sessions_.Forget(token);
        event.outcome = std::string("banco indisponível: ") + failure.what();
        return audit_.Record(
            ErrorResult(503, "Não foi possível registrar a entrada no banco de dados."), event);
    }
    event.person = person->login;
    event.event = hostfw::kAuditSignIn;
    event.outcome = "ok";
    return audit_.Record({200, hostfw::EncodeSignInReply(token, *person, sessions_.IdleTime()),
                          std::nullopt, "ok: entrada de " + person->login, std::nullopt},
                         event);
}

namespace {

constexpr const char* kNoSignInText =
    "Este servidor de aplicação exige entrada: informe usuário e senha.";
constexpr const char* kEndedText =
    "A entrada no servidor de aplicação expirou ou não é válida; entre de novo.";
constexpr const char* kUncheckedText = "Não foi possível verificar a entrada no banco de dados.";

}  // namespace

std::shared_ptr<const SignedInPerson> SignInGate::ValidSignIn(const std::string& token) {
    std::shared_ptr<const SignedInPerson> known = sessions_.Find(token);
    if (known && sessions_.Fresh(token))
        return known;
    const std::optional<std::string> login = shared_.Confirm(TokenDigest(token));
    if (!login) {
        sessions_.Forget(token);
        return nullptr;
    }
    if (known) {
        sessions_.Confirmed(token);
        return known;
    }
    // Given by another server: the person's password is sealed in the token, and the database
    // checks it again as this server opens the person's first connection.
    const std::optional<std::string> password = sessions_.PasswordIn(token);
    if (!password)
        return nullptr;
    SignedInPerson adopted{{}, {*login, *password}};
    std::shared_ptr<hostfw::Engine> engine;
    try {
        engine = OpenAsPerson(database_, adopted.credentials);
        const auto person = hostfw::SignedInPersonRecord(*engine);
        if (!person)
            return nullptr;
        adopted.person = *person;
    } catch (const hostfw::SignInRefused&) {
        return nullptr;  // disabled, or the password changed, since the sign-in
    } catch (const PasswordNotChecked&) {
        return nullptr;
    }
    engines_.Keep(adopted.person.login, std::move(engine));
    sessions_.Remember(token, std::move(adopted));
    return sessions_.Find(token);
}

DispatchResult SignInGate::SignOut(const HttpRequestView& request, const std::string& client) {
    const std::optional<std::string> token = BearerToken(request.authorization);
    const auto signedIn = token ? sessions_.Find(*token) : nullptr;
    const std::string person = signedIn ? signedIn->person.login : std::string(kAnonymous);
    return audit_.Run(request, client, person, [&] {
        if (!token)
            return ErrorResult(401, kNoSignInText);
        try {
            shared_.End(TokenDigest(*token));
        } catch (const hostfw::Exception&) {
            return ErrorResult(503, kUncheckedText);
        }
        sessions_.Forget(*token);
        return DispatchResult{200, "{\"version\":2}", std::nullopt, "ok: saída", std::nullopt};
    });
}

DispatchResult SignInGate::Call(const HttpRequestView& request, const std::string& client) {
    const std::optional<std::string> token = BearerToken(request.authorization);
    if (!token) {
        return audit_.Run(request, client, kAnonymous,
                          [] { return ErrorResult(401, kNoSignInText); });
    }
    std::shared_ptr<const SignedInPerson> signedIn;
    try {
        signedIn = ValidSignIn(*token);
    } catch (const hostfw::Exception&) {
        return audit_.Run(request, client, kAnonymous,
                          [] { return ErrorResult(503, kUncheckedText); });
    }
    if (!signedIn) {
        return audit_.Run(request, client, kAnonymous, [] { return ErrorResult(401, kEndedText); });
    }
    Caller caller{signedIn->person, [this, signedIn] { return engines_.Lend(*signedIn); }, {}};
    if (standbyEngines_ && lag_ != nullptr && lag_->Usable())
        caller.lendOnStandby = [this, signedIn] { return standbyEngines_->Lend(*signedIn); };
    return audit_.Run(request, client, signedIn->person.login,
                      [&] { return RouteRequest(dispatcher_, request, &caller); });
}

}  // namespace appserver
