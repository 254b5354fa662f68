#include "session/sign_in.h"

#include "host/core/exception.h"
#include "host/core/terminal_input.h"
#include "host/data/audit_trail.h"
#include "host/data/person_record.h"
#include "host/data/sign_in_refused.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"
#include "session/host_identity.h"

namespace host {
namespace {

using hostfw::Credentials;
using hostfw::Exception;
using hostfw::SignInRefused;

struct Connected {
    std::shared_ptr<hostfw::Engine> engine;
    std::optional<Credentials> credentials;
    int refusals = 0;
};

// An empty password typed at the prompt is a refused attempt too, or a prompt answered with
// nothing would ask forever.
bool CountsAsRefusal(const SignInRefused& refused, const Connected& connected) {
    return refused.WhyRefused() == SignInRefused::Reason::NotAccepted ||
           connected.credentials.has_value();
}

Connected Connect(const std::string& database, const CredentialsPrompt& prompt) {
    Connected connected;
    std::string failure;
    while (true) {
        try {
            connected.engine = connected.credentials
                                   ? hostfw::OpenDatabaseAs(database, *connected.credentials)
                                   : hostfw::OpenDatabase(database);
            return connected;
        } catch (const SignInRefused& refused) {
            if (CountsAsRefusal(refused, connected)) {
                if (++connected.refusals >= kSignInAttempts) {
                    throw Exception("A entrada foi recusada " + std::to_string(kSignInAttempts) +
                                    " vezes; nada foi aberto.");
                }
                failure = "Usuário ou senha incorretos.";
            }
            connected.credentials = prompt(failure);
            if (!connected.credentials) {
                throw Exception(failure.empty()
                                    ? "O banco de dados pede uma senha, e ninguém a "
                                      "informou (PGPASSWORD, ~/.pgpass, ISC_PASSWORD ou o "
                                      "terminal)."
                                    : failure + " Entrada cancelada.");
            }
        }
    }
}

}  // namespace

std::optional<hostfw::Credentials> SignIn(hostfw::DataContext& context,
                                          const CredentialsPrompt& prompt) {
    hostfw::SessionSettings& session = context.Session();
    session.person.reset();
    // SQLite keeps no people; a Firebird or PostgreSQL database may.
    if (hostfw::EngineOf(session.database) == hostfw::EngineKind::SQLite)
        return std::nullopt;
    Connected connected = Connect(session.database, prompt);
    session.person = hostfw::SignedInPersonRecord(*connected.engine);
    if (session.person) {
        // Refused attempts can only be written now: until a password was accepted nobody had
        // the right to add to the audit.
        for (int refusal = 1; refusal <= connected.refusals; ++refusal) {
            hostfw::RecordAudit(
                *connected.engine,
                {session.person->login, HostName(), hostfw::kAuditSignInRefused, "exp036-host",
                 "tentativa " + std::to_string(refusal), std::nullopt, std::nullopt, std::string(),
                 "Usuário ou senha incorretos."});
        }
        hostfw::RecordAudit(*connected.engine,
                            {session.person->login, HostName(), hostfw::kAuditSignIn, "exp036-host",
                             std::string(), std::nullopt, std::nullopt, std::string(), "ok"});
    }
    if (connected.credentials) {
        context.Database().UseSignedIn(connected.engine, session.database, *connected.credentials);
    }
    const auto checked = connected.engine->CheckedCredentials();
    if (!session.person || !checked)
        return std::nullopt;
    return hostfw::Credentials{session.person->login, checked->password};
}

std::optional<hostfw::Credentials> AskOnTerminal(const std::string& failure) {
    const std::optional<std::string> password =
        hostfw::AskHiddenOnTerminal((failure.empty() ? "" : failure + " ") + "Senha: ");
    if (!password)
        return std::nullopt;
    return hostfw::Credentials{std::string(), *password};
}

}  // namespace host
