#include "host/data/shared_database.h"

#include "host/core/exception.h"
#include "host/session/session.h"

namespace hostfw {

std::shared_ptr<Engine> SharedDatabase::Open() {
    const std::string& wanted = session_.database;
    if (wanted.empty())
        throw Exception("Nenhum banco de dados foi configurado para a sessão.");
    // A connection the server dropped is opened again rather than failing every later query.
    if (!engine_ || connection_ != wanted || engine_->IsBroken()) {
        engine_ = wanted == signedInDatabase_ && credentials_
                      ? OpenDatabaseAs(wanted, *credentials_)
                      : OpenDatabase(wanted);
        connection_ = wanted;
    }
    return engine_;
}

void SharedDatabase::UseSignedIn(std::shared_ptr<Engine> engine, const std::string& database,
                                 const Credentials& credentials) {
    engine_ = std::move(engine);
    connection_ = database;
    signedInDatabase_ = database;
    credentials_ = credentials;
}

void SharedDatabase::Close() {
    engine_.reset();
    connection_.clear();
}

}  // namespace hostfw
