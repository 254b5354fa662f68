#include "db/shared_database_build.h"

#include <iostream>

#include "db/demo_data.h"
#include "host/core/exception.h"
#include "host/data/table_setup.h"
#include "host/data/transaction.h"

namespace demodb {
namespace {

void FillRows(hostfw::Engine& engine, const DemodbOptions& options) {
    if (options.testData) {
        FillTestData(engine);
        return;
    }
    DemoOptions demo;
    demo.invoices = options.invoices;
    demo.clients = options.clients;
    demo.seed = options.seed;
    demo.progress = [](long long written) {
        std::cerr << written << " notas fiscais gravadas" << std::endl;
    };
    FillDemoData(engine, demo);
}

void BuildInOneTransaction(hostfw::Engine& engine, bool dropFirst, const RowFiller& fill) {
    hostfw::Transaction transaction(engine);
    if (dropFirst)
        DropSchema(engine);
    CreateTables(engine);
    fill();
    CreateIndexes(engine);
    transaction.Commit();
}

// Firebird lets no statement use a table created in a transaction not yet committed: the old
// tables are dropped in one transaction, the new ones created and committed, the rows go in in
// one transaction, and a failure on the way drops the new tables again.
void BuildInSteps(hostfw::Engine& engine, bool dropFirst, const RowFiller& fill) {
    if (dropFirst) {
        // All or none: a table another connection still uses keeps the old ones whole.
        hostfw::Transaction transaction(engine);
        DropSchema(engine);
        transaction.Commit();
    }
    // Outside the clean-up below: a table that was there already is never dropped for it.
    CreateTables(engine);
    try {
        hostfw::Transaction transaction(engine);
        fill();
        transaction.Commit();
        CreateIndexes(engine);
    } catch (...) {
        try {
            DropSchema(engine);
        } catch (const std::exception&) {
            // The failure that stopped the build is the one to report.
        }
        throw;
    }
}

}  // namespace

void BuildSharedDatabase(hostfw::Engine& engine, const DemodbOptions& options) {
    if (!options.force && HasTables(engine)) {
        throw hostfw::Exception(
            "O banco de dados já contém tabelas; nada foi alterado. Use --force para recriar "
            "as tabelas do banco compartilhado.");
    }
    // Tables made afresh would lose the rules that keep each person in their own branches.
    if (options.force && hostfw::HasTable(engine, "USUARIO")) {
        throw hostfw::Exception(
            "O banco de dados está preparado para uso compartilhado; --force recriaria as "
            "tabelas sem as regras de acesso das pessoas. Nada foi alterado.");
    }
    BuildSharedTables(engine, options.force, [&] { FillRows(engine, options); });
}

void BuildSharedTables(hostfw::Engine& engine, bool dropFirst, const RowFiller& fill) {
    if (engine.Kind() == hostfw::EngineKind::Firebird)
        BuildInSteps(engine, dropFirst, fill);
    else
        BuildInOneTransaction(engine, dropFirst, fill);
}

std::string ReadyMessage(const DemodbOptions& options) {
    return options.testData ? "Banco de dados pronto com os dados de teste."
                            : "Banco de dados pronto com " + std::to_string(options.invoices) +
                                  " notas fiscais de demonstração.";
}

}  // namespace demodb
