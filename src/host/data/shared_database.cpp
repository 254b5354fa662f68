#include "host/data/shared_database.h"

#include <string>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/session/session.h"

namespace hostfw {
namespace {

struct OpenDatabaseState {
    std::string connection;
    std::shared_ptr<Engine> engine;
};

OpenDatabaseState& openDatabase() {
    static OpenDatabaseState state;
    return state;
}

}  // namespace

std::shared_ptr<Engine> SharedDatabase() {
    OpenDatabaseState& state = openDatabase();
    const std::string& wanted = Session().database;
    if (wanted.empty())
        throw Exception("Nenhum banco de dados foi configurado para a sessão.");
    // A connection the server dropped is opened again rather than failing every later query.
    if (!state.engine || state.connection != wanted || state.engine->IsBroken()) {
        state.engine = OpenDatabase(wanted);
        state.connection = wanted;
    }
    return state.engine;
}

void CloseSharedDatabase() {
    openDatabase().engine.reset();
    openDatabase().connection.clear();
}

}  // namespace hostfw
