#include "db/shared_database_build.h"

#include <iostream>

#include "db/demo_data.h"
#include "host/core/exception.h"
#include "host/data/transaction.h"

namespace demodb {
namespace {

void Fill(hostfw::Engine& engine, const DemodbOptions& options) {
    if (options.force)
        DropSchema(engine);
    CreateTables(engine);
    if (options.testData) {
        FillTestData(engine);
    } else {
        DemoOptions demo;
        demo.invoices = options.invoices;
        demo.clients = options.clients;
        demo.seed = options.seed;
        demo.progress = [](long long written) {
            std::cerr << written << " notas fiscais gravadas" << std::endl;
        };
        FillDemoData(engine, demo);
    }
    CreateIndexes(engine);
}

}  // namespace

void BuildSharedDatabase(hostfw::Engine& engine, const DemodbOptions& options) {
    if (!options.force && HasTables(engine)) {
        throw hostfw::Exception(
            "O banco de dados já contém tabelas; nada foi alterado. Use --force para recriar "
            "as tabelas do banco compartilhado.");
    }
    hostfw::Transaction transaction(engine);
    Fill(engine, options);
    transaction.Commit();
}

std::string ReadyMessage(const DemodbOptions& options) {
    return options.testData ? "Banco de dados pronto com os dados de teste."
                            : "Banco de dados pronto com " + std::to_string(options.invoices) +
                                  " notas fiscais de demonstração.";
}

}  // namespace demodb
