#include "host/data/fb_engine.h"

#include <vector>

#include "host/data/fb_cursor.h"
#include "host/data/fb_run.h"
#include "host/data/fb_script.h"

namespace hostfw {

std::shared_ptr<Engine> FbEngine::Open(const FirebirdDatabase& database,
                                       const std::optional<Credentials>& credentials,
                                       bool createIfMissing) {
    return std::shared_ptr<Engine>(
        new FbEngine(FbConnection::Open(database, credentials, createIfMissing)));
}

std::unique_ptr<Cursor> FbEngine::Query(std::string_view sql, const TParams& params) {
    return std::make_unique<FbCursor>(connection_, sql, params);
}

std::unique_ptr<Cursor> FbEngine::QueryAlongside(std::string_view sql, const TParams& params) {
    if (connection_->OpenTransaction() != nullptr)
        return nullptr;
    return std::make_unique<FbCursor>(connection_, sql, params, TransactionKind::ReadOnly);
}

long long FbEngine::Execute(std::string_view sql, const TParams& params) {
    return Run(sql, params, FbRun::Text::Named);
}

long long FbEngine::Run(std::string_view sql, const TParams& params, FbRun::Text text) {
    FbRun run(connection_, sql, params, text);
    std::vector<unsigned char> output(connection_->Run(
        [&](fb::Status& status) { return run.Prepared().output->getMessageLength(&status); }));
    if (run.Prepared().hasCursor) {
        // Read to the end, as the other engines step a query through.
        fb::Ref<Firebird::IResultSet> rows = run.OpenCursor();
        while (connection_->Run([&](fb::Status& status) {
            return rows->fetchNext(&status, output.data()) == Firebird::IStatus::RESULT_OK;
        })) {
        }
        connection_->Run([&](fb::Status& status) { rows->close(&status); });
        rows.Take();
        run.Finish();
        return 0;
    }
    run.Execute(output.data());
    const long long changed = run.AffectedRecords();
    run.Finish();
    return changed;
}

void FbEngine::ExecuteScript(std::string_view sql) {
    for (const std::string& statement : ScriptStatements(sql))
        Run(statement, TParams(), FbRun::Text::AsWritten);
}

void FbEngine::BeginTransaction() {
    connection_->Begin(TransactionKind::ReadWrite);
}

void FbEngine::BeginReadOnlyTransaction() {
    connection_->Begin(TransactionKind::ReadOnly);
}

void FbEngine::Commit() {
    connection_->Commit();
}

void FbEngine::Rollback() {
    connection_->Rollback();
}

}  // namespace hostfw
