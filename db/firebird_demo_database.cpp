#include "db/firebird_demo_database.h"

#include <filesystem>
#include <optional>

#include "db/shared_database_build.h"
#include "host/core/scratch_cleanup.h"
#include "host/data/engine.h"
#include "host/data/fb_database_name.h"

namespace demodb {

void BuildFirebirdDatabase(const DemodbOptions& options) {
    const auto database = hostfw::FirebirdDatabaseOf(options.database);
    std::error_code ignored;
    const bool creates =
        database && database->embedded && !std::filesystem::exists(database->name, ignored);
    // A build interrupted by a signal removes the file it was creating.
    std::optional<hostfw::ScratchRegistration> scratch;
    if (creates)
        scratch.emplace(database->name, hostfw::ScratchRegistration::Kind::File);
    try {
        const auto engine = hostfw::OpenDatabase(options.database, true);
        BuildSharedDatabase(*engine, options);
    } catch (...) {
        if (creates)
            std::filesystem::remove(database->name, ignored);
        throw;
    }
}

}  // namespace demodb
