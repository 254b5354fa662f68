#include "host/data/shared_database.h"

#include <optional>
#include <string>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/session/session.h"

namespace hostfw {
namespace {

struct OpenDatabaseState {
    std::string connection;
    std::shared_ptr<Engine> engine;
    std::string signedInDatabase;
    std::optional<Credentials> credentials;
};

OpenDatabaseState& OpenDatabase() {
    static OpenDatabaseState state;
    return state;
}

}  // namespace

std::shared_ptr<Engine> SharedDatabase() {
    OpenDatabaseState& state = OpenDatabase();
    const std::string& wanted = Session().database;
    if (wanted.empty())
        throw Exception("Nenhum banco de dados foi configurado para a sessão.");
    // A connection the server dropped is opened again rather than failing every later query.
    if (!state.engine || state.connection != wanted || state.engine->IsBroken()) {
        state.engine = wanted == state.signedInDatabase && state.credentials
                           ? OpenDatabaseAs(wanted, *state.credentials)
                           : OpenDatabase(wanted);
        state.connection = wanted;
    }
    return state.engine;
}

void UseSignedInDatabase(std::shared_ptr<Engine> engine, const std::string& database,
                         const Credentials& credentials) {
    OpenDatabaseState& state = OpenDatabase();
    state.engine = std::move(engine);
    state.connection = database;
    state.signedInDatabase = database;
    state.credentials = credentials;
}

void CloseSharedDatabase() {
    OpenDatabase().engine.reset();
    OpenDatabase().connection.clear();
}

}  // namespace hostfw
