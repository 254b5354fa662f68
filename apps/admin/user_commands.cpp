#include "user_commands.h"

#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/data/engine.h"
#include "host/data/pg_password.h"
#include "host/data/transaction.h"
#include "password_input.h"

namespace admin {
namespace {

using hostfw::Exception;
using hostfw::TParams;

TParams LoginParam(const std::string& login) {
    TParams params;
    params.CreateParam("LOGIN").SetAsString(login);
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
    if (!Exists(engine, "SELECT 1 FROM USUARIO WHERE LOGIN = :LOGIN", LoginParam(login)))
        throw Exception("Pessoa não cadastrada: " + login);
}

}  // namespace

void AddPerson(hostfw::Engine& engine, const AdminCommand& command, std::istream& in) {
    RequireBranch(engine, command.branch);
    if (Exists(engine, "SELECT 1 FROM USUARIO WHERE LOGIN = :LOGIN", LoginParam(command.login)))
        throw Exception("Já existe a pessoa " + command.login + ".");
    // An existing role may be someone's administrator login: never turn it into a person.
    if (Exists(engine, "SELECT 1 FROM pg_roles WHERE rolname = :LOGIN", LoginParam(command.login)))
        throw Exception("Já existe no PostgreSQL um papel chamado " + command.login + ".");
    const std::string password = ReadNewPassword(command.passwordFromStdin, in);

    TParams role = LoginParam(command.login);
    role.CreateParam("SENHA").SetAsString(
        hostfw::EncryptedPassword(engine, command.login, password));
    TParams person = LoginParam(command.login);
    person.CreateParam("NOME").SetAsString(command.name);
    person.CreateParam("CDFILIAL").SetAsString(command.branch);
    person.CreateParam("VINCULADO").SetAsString(*command.bound ? "true" : "false");

    hostfw::Transaction transaction(engine);
    engine.Query("SELECT exp036_criar_login(:LOGIN, :SENHA)", role)->Next();
    engine.Execute(
        "INSERT INTO USUARIO (LOGIN, NOME, CDFILIAL, VINCULADO, ATIVO) "
        "VALUES (:LOGIN, :NOME, :CDFILIAL, CAST(:VINCULADO AS BOOLEAN), TRUE)",
        person);
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
                   LoginParam(command.login));
    engine.Query("SELECT exp036_desativar_login(:LOGIN)", LoginParam(command.login))->Next();
    transaction.Commit();
}

void SetPersonBranch(hostfw::Engine& engine, const AdminCommand& command) {
    RequirePerson(engine, command.login);
    RequireBranch(engine, command.branch);
    TParams params = LoginParam(command.login);
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
