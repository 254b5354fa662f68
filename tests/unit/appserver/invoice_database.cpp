#include "invoice_database.h"

#include <unistd.h>

#include <atomic>

#include "db/demo_data.h"
#include "db/demo_writer.h"
#include "host/data/engine.h"

namespace servertest {

void FillInvoiceDatabase(const std::string& connection) {
    const auto engine = hostfw::OpenDatabase(connection, true);
    if (demodb::HasTables(*engine))
        demodb::DropSchema(*engine);
    demodb::BuildTestDatabase(*engine);
    demodb::DemoWriter writer(*engine);
    writer.Write(demodb::Invoice{"0001", "9", "1000", "3", "0001", "2025-01-10", "2025-01-11", 'A',
                                 100, std::nullopt});
    writer.Write(demodb::Invoice{"0001", "10", "1002", "2", "0003", "2025-01-20", std::nullopt, 'C',
                                 200, std::nullopt});
    // Firebird's DATE holds no time of day, and it refuses a text that has one.
    const bool timeOfDay = engine->Kind() != hostfw::EngineKind::Firebird;
    writer.Write(demodb::Invoice{"0002", "8", "2003", "1", "0003", "2025-02-01", "2025-02-03", 'K',
                                 300, timeOfDay ? "2025-02-10 14:30:00" : "2025-02-10"});
}

LocalInvoiceDatabase::LocalInvoiceDatabase(const std::string& file) : file_(file) {
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("exp036-server-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder_);
    FillInvoiceDatabase(Path());
}

LocalInvoiceDatabase::~LocalInvoiceDatabase() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace servertest
