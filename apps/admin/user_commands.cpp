#include "user_commands.h"

#include <cctype>

#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/data/engine.h"
#include "host/data/fb_user_service.h"
#include "host/data/pg_password.h"
#include "host/data/transaction.h"
#include "password_input.h"

namespace admin {
namespace {

using hostfw::Exception;
using hostfw::TParams;

bool OnFirebird(hostfw::Engine& engine) {
    return engine.Kind() == hostfw::EngineKind::Firebird;
}

// The login as the database keeps it: Firebird keeps a user's name in capitals, as it signs the
// user in whatever case was typed.
std::string StoredLogin(hostfw::Engine& engine, std::string login) {
    if (OnFirebird(engine)) {
        for (char& c : login)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return login;
}

TParams LoginParam(hostfw::Engine& engine, const std::string& login) {
    TParams params;
    params.CreateParam("LOGIN").SetAsString(StoredLogin(engine, login));
    return params;
}

// The text followed by blanks up to the width, counted in characters, not bytes.
std::string Padded(const std::string& text, size_t width) {
    const size_t length = hostfw::Utf8Length(text);
    return text + std::string(length < width ? width - length : 1, ' ');
}

bool Exists(hostfw::Engine& engine, const char* sql, const TParams& params) {
    return engine.Query(sql, params)->Next();
}

void RequireBranch(hostfw::Engine& engine, const std::string& branch) {
    TParams params;
    params.CreateParam("CDFILIAL").SetAsString(branch);
    if (!Exists(engine, "SELECT 1 FROM FILIAL WHERE CDFILIAL = :CDFILIAL", params))
        throw Exception("Filial não cadastrada: " + branch);
}

void RequirePerson(hostfw::Engine& engine, const std::string& login) {
    if (!Exists(engine, "SELECT 1 FROM USUARIO WHERE LOGIN = :LOGIN", LoginParam(engine, login)))
        throw Exception("Pessoa não cadastrada: " + login);
}

}  // namespace

void AddPerson(hostfw::Engine& engine, const AdminCommand& command, std::istream& in) {
    RequireBranch(engine, command.branch);
    if (Exists(engine, "SELECT 1 FROM USUARIO WHERE LOGIN = :LOGIN",
               LoginParam(engine, command.login)))
        throw Exception("Já existe a pessoa " + command.login + ".");
    // An existing login may be someone's administrator: never turn it into a person.
    if (Exists(engine,
               OnFirebird(engine) ? "SELECT 1 FROM SEC$USERS WHERE SEC$USER_NAME = :LOGIN"
                                  : "SELECT 1 FROM pg_roles WHERE rolname = :LOGIN",
               LoginParam(engine, command.login))) {
        throw Exception(OnFirebird(engine)
                            ? "Já existe no Firebird um usuário chamado " + command.login + "."
                            : "Já existe no PostgreSQL um papel chamado " + command.login + ".");
    }
    const std::string password = ReadNewPassword(command.passwordFromStdin, in);

    TParams person = LoginParam(engine, command.login);
    person.CreateParam("NOME").SetAsString(command.name);
    person.CreateParam("CDFILIAL").SetAsString(command.branch);
    person.CreateParam("VINCULADO").SetAsString(*command.bound ? "true" : "false");

    hostfw::Transaction transaction(engine);
    if (!OnFirebird(engine)) {
        TParams role = LoginParam(engine, command.login);
        role.CreateParam("SENHA").SetAsString(
            hostfw::EncryptedPassword(engine, command.login, password));
        engine.Query("SELECT exp036_criar_login(:LOGIN, :SENHA)", role)->Next();
    }
    engine.Execute(
        "INSERT INTO USUARIO (LOGIN, NOME, CDFILIAL, VINCULADO, ATIVO) "
        "VALUES (:LOGIN, :NOME, :CDFILIAL, CAST(:VINCULADO AS BOOLEAN), TRUE)",
        person);
    if (OnFirebird(engine)) {
        engine.Execute("EXECUTE PROCEDURE EXP036_CONCEDER_PESSOA(:LOGIN)",
                       LoginParam(engine, command.login));
        // Last, so that any refusal before leaves no user behind.
        hostfw::AddFirebirdUser(command.database, StoredLogin(engine, command.login), password);
    }
    transaction.Commit();
}

void ListPeople(hostfw::Engine& engine, std::ostream& out) {
    const auto rows = engine.Query(
        "SELECT LOGIN, NOME, CDFILIAL, "
        "CASE WHEN VINCULADO THEN 'vinculada' ELSE 'livre' END, "
        "CASE WHEN ATIVO THEN 'ativa' ELSE 'inativa' END "
        "FROM USUARIO ORDER BY LOGIN",
        TParams());
    out << Padded("LOGIN", 20) << Padded("NOME", 32) << Padded("FILIAL", 8) << Padded("VÍNCULO", 11)
        << "SITUAÇÃO\n";
    while (rows->Next()) {
        out << Padded(rows->Value(0).AsString(), 20) << Padded(rows->Value(1).AsString(), 32)
            << Padded(rows->Value(2).AsString(), 8) << Padded(rows->Value(3).AsString(), 11)
            << rows->Value(4).AsString() << '\n';
    }
}

void DisablePerson(hostfw::Engine& engine, const AdminCommand& command) {
    RequirePerson(engine, command.login);
    hostfw::Transaction transaction(engine);
    engine.Execute("UPDATE USUARIO SET ATIVO = FALSE WHERE LOGIN = :LOGIN",
                   LoginParam(engine, command.login));
    // Every application server's sign-ins of the person end too, at their next look.
    engine.Execute("DELETE FROM SESSAO_ENTRADA WHERE LOGIN = :LOGIN",
                   LoginParam(engine, command.login));
    if (OnFirebird(engine)) {
        engine.Execute("EXECUTE PROCEDURE EXP036_DESATIVAR_LOGIN(:LOGIN)",
                       LoginParam(engine, command.login));
    } else {
        engine.Query("SELECT exp036_desativar_login(:LOGIN)", LoginParam(engine, command.login))
            ->Next();
    }
    transaction.Commit();
}

void SetPersonBranch(hostfw::Engine& engine, const AdminCommand& command) {
    RequirePerson(engine, command.login);
    RequireBranch(engine, command.branch);
    TParams params = LoginParam(engine, command.login);
    params.CreateParam("CDFILIAL").SetAsString(command.branch);
    params.CreateParam("VINCULADO");
    if (command.bound)
        params.ParamByName("VINCULADO").SetAsString(*command.bound ? "true" : "false");
    engine.Execute(
        "UPDATE USUARIO SET CDFILIAL = :CDFILIAL, "
        "VINCULADO = COALESCE(CAST(:VINCULADO AS BOOLEAN), VINCULADO) WHERE LOGIN = :LOGIN",
        params);
}

}  // namespace admin
