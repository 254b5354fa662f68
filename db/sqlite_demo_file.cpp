#include "db/sqlite_demo_file.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "db/removed_on_interrupt.h"
#include "db/shared_database_build.h"
#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/core/staged_file.h"
#include "host/data/engine.h"

namespace demodb {
namespace {

namespace fs = std::filesystem;

// The staged file is private until it is published, so the load needs no journal and no waits
// for the disk: a failure throws the whole file away, and it is synced once at the end.
constexpr const char* kBulkLoadPragmas[] = {
    "PRAGMA journal_mode = OFF",        // nothing to roll back: a failure discards the file
    "PRAGMA synchronous = OFF",         // synced once, before it takes its name
    "PRAGMA locking_mode = EXCLUSIVE",  // nobody else opens the staged file
    "PRAGMA temp_store = MEMORY",       // index builds sort in memory
    "PRAGMA cache_size = -262144",      // 256 MB: the invoice indexes stay in memory
};

bool IsSqliteDatabase(const fs::path& path) {
    static constexpr char kHeader[] = "SQLite format 3";  // and its terminating zero
    char header[sizeof kHeader] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(header, sizeof header);
    return in.gcount() == sizeof header && std::memcmp(header, kHeader, sizeof kHeader) == 0;
}

// Refuses, before any work is done, a target that must not be replaced.
void CheckTarget(const fs::path& target, bool force) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (!fs::exists(status))
        return;
    if (!force) {
        throw hostfw::Exception("O arquivo '" + target.string() +
                                "' já existe; nada foi alterado. Use --force para substituí-lo.");
    }
    hostfw::CheckOutputTarget(target);
    if (!fs::is_regular_file(status) ||
        (fs::file_size(target, error) != 0 && !IsSqliteDatabase(target))) {
        throw hostfw::Exception("'" + target.string() +
                                "' não é um banco de dados SQLite; nada foi alterado.");
    }
}

}  // namespace

void BuildSqliteDemoFile(const DemodbOptions& options) {
    const fs::path target = options.database;
    CheckTarget(target, options.force);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A run killed outright (SIGKILL, a power cut) could not remove its staged file.
    hostfw::StagedFile::RemoveAbandoned(folder);
    hostfw::StagedFile staged(folder);
    const RemovedOnInterrupt cleanup(staged.Path());
    {
        auto engine = hostfw::OpenDatabase(staged.Path().string());
        for (const char* pragma : kBulkLoadPragmas)
            engine->Execute(pragma, {});
        // The staged file is new and empty, so it holds no tables to keep.
        DemodbOptions fresh = options;
        fresh.force = false;
        BuildSharedDatabase(*engine, fresh);
    }
    staged.Sync();
    if (options.force) {
        staged.PublishReplacing(target);
    } else if (!staged.PublishWithoutReplacing(target)) {
        throw hostfw::Exception("O arquivo '" + target.string() +
                                "' foi criado por outro programa durante a geração; nada foi "
                                "alterado.");
    }
}

}  // namespace demodb
