#include "db/demo_data.h"

#include <array>

#include "db/demo_writer.h"
#include "db/shared_database_build.h"

namespace demodb {

void FillTestData(hostfw::Engine& engine) {
    // The rows are listed in demo_data.h; keep both in step.
    const std::array<Branch, 3> branches = {{
        {"0001", "Matriz São Paulo"},
        {"0002", "Filial Campinas"},
        {"0003", "Filial Curitiba"},
    }};
    const std::array<Client, 4> clients = {{
        {"1", 'F', "52998224725", "João da Silva", "COM", "VARJ"},
        {"11", 'J', "11222333000181", "Café & Cia, Ltda", "COM", "ALIM"},
        {"2", 'J', "11444777000161", "O \"Rei\" do Pão", "IND", std::nullopt},
        {"3", 'F', "11144477735", "Maria D'Ávila", "SERV", "CONS"},
    }};
    const std::array<Invoice, 7> invoices = {{
        {"0001", "1", "1001", "1", "0002", "2025-01-01", "2025-01-03", 'E', 150000, std::nullopt},
        {"0001", "2", "1002", "11", "0003", "2025-01-31", "2025-02-02", 'A', 25075, std::nullopt},
        {"0001", "3", "1003", "2", "0001", "2025-02-01", std::nullopt, 'P', 9990, std::nullopt},
        {"0001", "7", "1004", "1", "0002", "2025-01-31", "2025-01-31", 'P', 1, std::nullopt},
        {"0002", "4", "2001", "1", "0001", "2025-01-15", "2025-01-20", 'K', 320010, "2025-01-23"},
        {"0002", "5", "2002", "3", "0003", "2025-03-10", "2025-03-12", 'C', 1000, std::nullopt},
        {"0003", "6", "3001", "11", "0001", "2025-12-31", "2026-01-05", 'E', 1234567, std::nullopt},
    }};
    DemoWriter writer(engine);
    for (const Branch& branch : branches)
        writer.Write(branch);
    for (const Client& client : clients)
        writer.Write(client);
    for (const Invoice& invoice : invoices)
        writer.Write(invoice);
}

void BuildTestDatabase(hostfw::Engine& engine) {
    BuildSharedTables(engine, false, [&] { FillTestData(engine); });
}

}  // namespace demodb
