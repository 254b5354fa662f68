#include "host/data/pg_engine.h"

#include <charconv>
#include <cstring>

#include "host/core/exception.h"
#include "host/data/pg_cursor.h"

namespace hostfw {
namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

bool IsPostgresConnection(const std::string& connection) {
    if (StartsWith(connection, "postgresql://") || StartsWith(connection, "postgres://")) {
        return true;
    }
    // A file name may hold "=" too; only a string libpq reads as settings is a connection.
    if (connection.find('=') == std::string::npos)
        return false;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(connection.c_str(), &error);
    PQfreemem(error);
    PQconninfoFree(options);
    return options != nullptr;
}

std::shared_ptr<Engine> PgEngine::Open(const std::string& connection,
                                       const std::optional<Credentials>& credentials) {
    return std::shared_ptr<Engine>(new PgEngine(PgConnection::Connect(connection, credentials)));
}

std::unique_ptr<Cursor> PgEngine::Query(std::string_view sql, const TParams& params) {
    return std::make_unique<PgCursor>(connection_, sql, params);
}

long long PgEngine::Execute(std::string_view sql, const TParams& params) {
    const PgResult result = connection_->Run(sql, params);
    const std::string_view changed = PQcmdTuples(result.get());
    long long count = 0;
    std::from_chars(changed.data(), changed.data() + changed.size(), count);
    return count;
}

void PgEngine::ExecuteScript(std::string_view sql) {
    connection_->RunScript(sql);
}

void PgEngine::BeginTransaction() {
    Begin("BEGIN");
}

void PgEngine::BeginReadOnlyTransaction() {
    Begin("BEGIN READ ONLY");
}

void PgEngine::Begin(const char* command) {
    // The server would only warn and carry on inside the open transaction.
    if (connection_->InTransaction()) {
        throw Exception("Erro no banco de dados: já existe uma transação em andamento");
    }
    connection_->Run(command, TParams());
}

void PgEngine::Commit() {
    const PgResult result = connection_->Run("COMMIT", TParams());
    // COMMIT of a transaction in which a statement failed ends in ROLLBACK without an error.
    if (std::strcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0) {
        throw Exception(
            "Erro no banco de dados: a transação foi desfeita porque um comando dela falhou");
    }
}

void PgEngine::Rollback() {
    connection_->Run("ROLLBACK", TParams());
}

}  // namespace hostfw
