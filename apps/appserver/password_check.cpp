#include "password_check.h"

#include "host/data/sign_in_refused.h"
#include "sign_in_token.h"

namespace appserver {

namespace {

std::string NotCheckedText(const std::string& login, const std::string& database) {
    if (hostfw::EngineOf(database) == hostfw::EngineKind::Firebird) {
        return "O Firebird embutido (um arquivo aberto pelo próprio servidor) deixou " + login +
               " entrar sem verificar a senha, e a entrada é recusada.";
    }
    return "O PostgreSQL deixou " + login +
           " entrar sem pedir a senha (pg_hba.conf: trust, peer ou ident): a senha não foi "
           "verificada, e a entrada é recusada.";
}

}  // namespace

PasswordNotChecked::PasswordNotChecked(const std::string& login, const std::string& database)
    : hostfw::Exception(NotCheckedText(login, database)) {}

std::shared_ptr<hostfw::Engine> OpenAsPerson(const std::string& database,
                                             const hostfw::Credentials& credentials) {
    auto engine = hostfw::OpenDatabaseAs(database, credentials);
    if (!engine->CheckedCredentials())
        throw PasswordNotChecked(credentials.user, database);
    return engine;
}

std::optional<std::string> UncheckedPasswordsRefusal(const std::string& database) {
    const std::string password = NewSignInToken();
    const std::string nobody = "exp036_sonda_" + password.substr(0, 16);
    std::string reason;
    try {
        OpenAsPerson(database, {nobody, password});
        reason = "o login inexistente " + nobody + " entrou";
    } catch (const hostfw::SignInRefused& refused) {
        if (refused.WhyRefused() == hostfw::SignInRefused::Reason::NotAccepted)
            return std::nullopt;
        reason = refused.what();
    } catch (const hostfw::Exception& failure) {
        reason = failure.what();
    }
    if (hostfw::EngineOf(database) == hostfw::EngineKind::Firebird) {
        return "o Firebird não pede senha às conexões que o servidor abre para as pessoas (" +
               reason +
               "), e qualquer senha seria aceita: dê ao --db o banco num servidor Firebird "
               "(servidor/porta:/caminho/banco.fdb), não um arquivo aberto pelo próprio servidor.";
    }
    return "o PostgreSQL não pede senha às conexões que o servidor abre para as pessoas (" +
           reason +
           "), e qualquer senha seria aceita: em pg_hba.conf, peça senha (scram-sha-256) às "
           "conexões que vêm deste servidor, ou dê ao --db um endereço em que o PostgreSQL a "
           "peça.";
}

}  // namespace appserver
