#include "admin_options.h"

#include <algorithm>

#include "host/core/date_time.h"
#include "host/core/exception.h"

namespace admin {
namespace {

using hostfw::Exception;

// The words of the command line, taken one at a time.
class Words {
public:
    explicit Words(const std::vector<std::string>& words) : words_(words) {}
    bool Done() const { return next_ >= words_.size(); }
    const std::string& Peek() const { return words_[next_]; }
    const std::string& Take(const std::string& what) {
        if (Done())
            throw Exception("Falta " + what + ".");
        return words_[next_++];
    }

private:
    const std::vector<std::string>& words_;
    size_t next_ = 0;
};

std::string Login(Words& words) {
    const std::string& text = words.Take("o login");
    if (!IsPersonLogin(text)) {
        throw Exception("Login inválido: \"" + text +
                        "\" (letras minúsculas, dígitos, _ . -; até 63 caracteres).");
    }
    return text;
}

std::string IsoDay(const std::string& text) {
    if (auto day = hostfw::StrToDateStrict(text))
        return hostfw::DateToIso(*day);
    if (auto day = hostfw::IsoToDate(text); day && text.size() == 10)
        return hostfw::DateToIso(*day);
    throw Exception("--since espera uma data (dd/mm/aaaa ou aaaa-mm-dd), não \"" + text + "\".");
}

// The options after the command's own words; each command accepts its own.
void ReadOptions(Words& words, AdminCommand& command, const std::vector<std::string>& accepted) {
    while (!words.Done()) {
        const std::string option = words.Take("a opção");
        if (std::find(accepted.begin(), accepted.end(), option) == accepted.end())
            throw Exception("Opção ou argumento inesperado: " + option);
        if (option == "--name") {
            command.name = words.Take("o nome depois de --name");
        } else if (option == "--branch") {
            command.branch = words.Take("o código da filial depois de --branch");
        } else if (option == "--bound") {
            command.bound = true;
        } else if (option == "--free") {
            command.bound = false;
        } else if (option == "--password-stdin") {
            command.passwordFromStdin = true;
        } else if (option == "--since") {
            command.since = IsoDay(words.Take("a data depois de --since"));
        } else if (option == "--user") {
            command.user = words.Take("o login depois de --user");
        } else if (option == "--csv") {
            command.csv = true;
        }
    }
}

void ReadUserCommand(Words& words, AdminCommand& command) {
    const std::string verb = words.Take("o subcomando de user (add, list, disable, set-branch)");
    if (verb == "add") {
        command.kind = AdminCommand::Kind::UserAdd;
        command.login = Login(words);
        ReadOptions(words, command, {"--name", "--branch", "--bound", "--password-stdin"});
        if (command.name.empty() || command.branch.empty())
            throw Exception("user add precisa de --name e --branch.");
        command.bound = command.bound.value_or(false);
    } else if (verb == "list") {
        command.kind = AdminCommand::Kind::UserList;
        ReadOptions(words, command, {});
    } else if (verb == "disable") {
        command.kind = AdminCommand::Kind::UserDisable;
        command.login = Login(words);
        ReadOptions(words, command, {});
    } else if (verb == "set-branch") {
        command.kind = AdminCommand::Kind::UserSetBranch;
        command.login = Login(words);
        command.branch = words.Take("o código da filial");
        ReadOptions(words, command, {"--bound", "--free"});
    } else {
        throw Exception("Subcomando de user desconhecido: " + verb);
    }
}

}  // namespace

bool IsPersonLogin(const std::string& login) {
    if (login.empty() || login.size() > 63)
        return false;
    const bool wellFormed = ((login[0] >= 'a' && login[0] <= 'z') || login[0] == '_') &&
                            std::all_of(login.begin(), login.end(), [](char c) {
                                return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                       c == '_' || c == '.' || c == '-';
                            });
    return wellFormed && login != "postgres" && login != "public" && login.rfind("pg_", 0) != 0 &&
           login.rfind("exp036_", 0) != 0;
}

AdminCommand ParseAdminCommand(const std::vector<std::string>& arguments) {
    AdminCommand command;
    std::vector<std::string> rest;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h")
            return command;
        if (arguments[i] == "--db") {
            if (i + 1 >= arguments.size())
                throw Exception("--db espera a conexão PostgreSQL.");
            command.database = arguments[++i];
        } else {
            rest.push_back(arguments[i]);
        }
    }
    Words words(rest);
    const std::string verb = words.Take("o comando (setup, user, audit)");
    if (verb == "setup") {
        command.kind = AdminCommand::Kind::Setup;
        ReadOptions(words, command, {});
    } else if (verb == "user") {
        ReadUserCommand(words, command);
    } else if (verb == "audit") {
        command.kind = AdminCommand::Kind::Audit;
        ReadOptions(words, command, {"--since", "--user", "--csv"});
    } else {
        throw Exception("Comando desconhecido: " + verb);
    }
    if (command.database.empty())
        throw Exception("Informe o banco com --db (uma conexão PostgreSQL ou um banco Firebird).");
    return command;
}

const char* const kAdminUsage =
    "uso: exp036-admin --db CONEXÃO COMANDO\n"
    "\n"
    "Administra o uso compartilhado de um banco PostgreSQL ou de um servidor Firebird pelas\n"
    "filiais: pessoas, seus logins e filiais, e a auditoria. CONEXÃO é a de um administrador\n"
    "(dono das tabelas, com direito de criar papéis), por exemplo\n"
    "\"postgresql://admin@servidor/exp036\", ou, no Firebird, \"servidor/3050:/dados/exp036.fdb\"\n"
    "com ISC_USER=SYSDBA e ISC_PASSWORD (no Firebird a pessoa é um usuário SRP, criado pelo\n"
    "serviço de usuários do servidor, e o LOGIN fica em maiúsculas).\n"
    "\n"
    "Comandos:\n"
    "  setup                          papéis, permissões, segurança por linha e tabelas do uso\n"
    "                                 compartilhado; pode ser repetido\n"
    "  user add LOGIN --name NOME --branch CÓDIGO [--bound] [--password-stdin]\n"
    "                                 cria a pessoa; a senha é pedida duas vezes no terminal\n"
    "                                 (ou lida da entrada padrão) e vai cifrada ao servidor\n"
    "                                 (no Firebird, pela conexão cifrada do serviço)\n"
    "  user list                      lista as pessoas\n"
    "  user disable LOGIN             desativa a pessoa e encerra suas conexões\n"
    "  user set-branch LOGIN CÓDIGO [--bound|--free]\n"
    "                                 muda a filial da pessoa (e, se pedido, o vínculo)\n"
    "  audit [--since DATA] [--user LOGIN] [--csv]\n"
    "                                 lista a auditoria: entradas, chamadas e relatórios;\n"
    "                                 CONEXÃO pode ser também o arquivo SQLite do banco\n"
    "                                 embutido ou um banco Firebird\n";

}  // namespace admin
