// exp036-admin: people, their branches and the audit of a shared PostgreSQL or Firebird
// database; the audit of the embedded default too.

#include <iostream>

#include "admin_options.h"
#include "audit_listing.h"
#include "host/core/exception.h"
#include "host/data/database_names_help.h"
#include "host/data/engine.h"
#include "shared_use_setup.h"
#include "user_commands.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

void Run(const admin::AdminCommand& command) {
    using Kind = admin::AdminCommand::Kind;
    // The audit of the embedded default is read from its file; everything else is about the
    // people of a shared database.
    if (hostfw::EngineOf(command.database) == hostfw::EngineKind::SQLite &&
        command.kind != Kind::Audit)
        throw hostfw::Exception(
            "--db deve ser uma conexão PostgreSQL ou um servidor Firebird: o uso compartilhado "
            "é deles (só audit lê também um arquivo SQLite).");
    const auto engine = hostfw::OpenDatabase(command.database);
    switch (command.kind) {
        case Kind::Setup:
            for (const std::string& function : admin::SetUpSharedUse(*engine)) {
                std::cerr << "exp036-admin: aviso: " << function
                          << " age fora da transação de um relatório e continua liberada a "
                             "todos: só o dono dela a revoga (rode o setup como superusuário).\n";
            }
            std::cout << "Uso compartilhado configurado.\n";
            break;
        case Kind::UserAdd:
            admin::AddPerson(*engine, command, std::cin);
            std::cout << "Pessoa " << command.login << " cadastrada.\n";
            break;
        case Kind::UserList:
            admin::ListPeople(*engine, std::cout);
            break;
        case Kind::UserDisable:
            admin::DisablePerson(*engine, command);
            std::cout << "Pessoa " << command.login << " desativada.\n";
            break;
        case Kind::UserSetBranch:
            admin::SetPersonBranch(*engine, command);
            std::cout << "Filial de " << command.login << " alterada para " << command.branch
                      << ".\n";
            break;
        case Kind::Audit:
            admin::ListAudit(*engine, command, std::cout);
            break;
        case Kind::Help:
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    admin::AdminCommand command;
    try {
        command = admin::ParseAdminCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const hostfw::Exception& error) {
        std::cerr << "exp036-admin: " << error.Message() << "\n\n"
                  << admin::kAdminUsage << hostfw::kDatabaseNamesHelp;
        return kBadUsage;
    }
    if (command.kind == admin::AdminCommand::Kind::Help) {
        std::cout << admin::kAdminUsage << hostfw::kDatabaseNamesHelp;
        return 0;
    }
    try {
        Run(command);
    } catch (const std::exception& error) {
        std::cerr << "exp036-admin: " << error.what() << std::endl;
        return kFailed;
    }
    return 0;
}
