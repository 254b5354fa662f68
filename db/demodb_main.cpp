// exp036-demodb: builds a shared database with demo data (or the tests' fixed data).

#include <filesystem>
#include <iostream>

#include "db/demo_data.h"
#include "db/demodb_options.h"
#include "host/core/exception.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;
// SQLite's default 2 MB page cache thrashes on the invoice indexes of a large run.
constexpr const char* kLargeSqliteCache = "PRAGMA cache_size = -262144";  // 256 MB

void fill(hostfw::Engine& engine, const demodb::DemodbOptions& options) {
    if (options.force) demodb::DropSchema(engine);
    demodb::CreateSchema(engine);
    if (options.testData) {
        demodb::FillTestData(engine);
        return;
    }
    demodb::DemoOptions demo;
    demo.invoices = options.invoices;
    demo.seed = options.seed;
    demo.progress = [](long long written) {
        std::cerr << written << " notas fiscais gravadas" << std::endl;
    };
    demodb::FillDemoData(engine, demo);
}

// Everything in one transaction: a failure leaves the database as it was.
void build(hostfw::Engine& engine, const demodb::DemodbOptions& options) {
    if (!options.force && demodb::HasTables(engine)) {
        throw hostfw::Exception(
            "O banco de dados já contém tabelas; nada foi alterado. Use --force para recriar "
            "as tabelas do banco compartilhado.");
    }
    if (engine.Kind() == hostfw::EngineKind::SQLite) engine.Execute(kLargeSqliteCache, {});
    engine.BeginTransaction();
    try {
        fill(engine, options);
        engine.Commit();
    } catch (...) {
        engine.Rollback();
        throw;
    }
}

int run(const demodb::DemodbOptions& options) {
    std::error_code ignored;
    const bool existed = std::filesystem::exists(options.database, ignored);
    auto engine = hostfw::OpenDatabase(options.database, true);
    // A file this run created and could not fill is removed, not left behind empty.
    const bool createdFile = !existed && engine->Kind() == hostfw::EngineKind::SQLite;
    try {
        build(*engine, options);
    } catch (...) {
        engine.reset();
        if (createdFile) std::filesystem::remove(options.database, ignored);
        throw;
    }
    std::cout << "Banco de dados pronto"
              << (options.testData ? " com os dados de teste."
                                   : " com " + std::to_string(options.invoices) +
                                         " notas fiscais de demonstração.")
              << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    demodb::DemodbOptions options;
    try {
        options = demodb::ParseDemodbOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const hostfw::Exception& error) {
        std::cerr << error.Message() << "\n\n" << demodb::kDemodbUsage;
        return kBadUsage;
    }
    if (options.help) {
        std::cout << demodb::kDemodbUsage;
        return 0;
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return kFailed;
    }
}
