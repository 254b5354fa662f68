// exp036-demodb: builds a shared database with demo data (or the tests' fixed data).

#include <iostream>

#include "db/demodb_options.h"
#include "db/firebird_demo_database.h"
#include "db/shared_database_build.h"
#include "db/sqlite_demo_file.h"
#include "host/core/exception.h"
#include "host/core/scratch_cleanup.h"
#include "host/data/database_names_help.h"
#include "host/data/engine.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

void Build(const demodb::DemodbOptions& options) {
    switch (hostfw::EngineOf(options.database)) {
        case hostfw::EngineKind::SQLite:
            demodb::BuildSqliteDemoFile(options);
            return;
        case hostfw::EngineKind::Firebird:
            demodb::BuildFirebirdDatabase(options);
            return;
        case hostfw::EngineKind::PostgreSQL:
            break;
    }
    auto engine = hostfw::OpenDatabase(options.database);
    demodb::BuildSharedDatabase(*engine, options);
}

}  // namespace

int main(int argc, char** argv) {
    // A build ended by a signal takes its half-written file with it.
    hostfw::RemoveScratchOnTermination();
    demodb::DemodbOptions options;
    try {
        options = demodb::ParseDemodbOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const hostfw::Exception& error) {
        std::cerr << error.Message() << "\n\n"
                  << demodb::kDemodbUsage << hostfw::kDatabaseNamesHelp;
        return kBadUsage;
    }
    if (options.help) {
        std::cout << demodb::kDemodbUsage << hostfw::kDatabaseNamesHelp;
        return 0;
    }
    try {
        Build(options);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return kFailed;
    }
    std::cout << demodb::ReadyMessage(options) << std::endl;
    return 0;
}
