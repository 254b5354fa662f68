#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "host/data/engine.h"

namespace demodb {

// --- Schema -----------------------------------------------------------------------------

// Creates the tables of the shared database and their indexes; runs on SQLite, PostgreSQL and
// Firebird alike.
void CreateSchema(hostfw::Engine& engine);
// The two halves of CreateSchema (db/schema.sql and db/schema_indexes.sql), so that a bulk load
// can fill the tables before the indexes are built.
void CreateTables(hostfw::Engine& engine);
void CreateIndexes(hostfw::Engine& engine);
// Drops those of the shared database's tables that exist, and nothing else.
void DropSchema(hostfw::Engine& engine);
// True when the database (on PostgreSQL: the current schema) holds any table at all (on
// Firebird: any table or view that is not the system's).
bool HasTables(hostfw::Engine& engine);

// --- Demo data --------------------------------------------------------------------------

// Largest invoice count: entry numbers are at most 10 digits wide.
constexpr long long kMaxInvoices = 9'999'999'999LL;
// Largest client count: client codes are at most 7 digits wide.
constexpr int kMaxClients = 9'999'999;

struct DemoOptions {
    long long invoices = 5000;
    int clients = 300;
    std::uint64_t seed = 1;
    // Called with the count written so far after every 100,000 invoices.
    std::function<void(long long)> progress;
};

// Fills the empty tables with demo data, the same rows for the same seed and counts: branches
// "0001".."0012"; clients "1".."300" (or up to the count asked; not zero-filled) of both kinds
// with valid CPF
// or CNPJ numbers; invoices issued from 2025-01-01 to 2026-12-31 over all branches, with
// every status (the first five are P, E, A, C and K), the exit date missing on some "P"
// invoices, a shipping row for every invoice with an exit date, canceled on "K" invoices.
// Runs inside the caller's transaction.
void FillDemoData(hostfw::Engine& engine, const DemoOptions& options);

// --- Fixed test data --------------------------------------------------------------------
//
// FILIAL    0001 "Matriz São Paulo", 0002 "Filial Campinas", 0003 "Filial Curitiba"
// CLIENTE   "1"  F 52998224725    "João da Silva"     COM  VARJ
//           "11" J 11222333000181 "Café & Cia, Ltda"  COM  ALIM
//           "2"  J 11444777000161 "O \"Rei\" do Pão"   IND  (null)
//           "3"  F 11144477735    "Maria D'Ávila"     SERV CONS
// NOTAFISCAL (CDFILIAL NRLANCTONF NRNOTAFISC CDCLIENTE CDFILIDEST DTEMISSAO DTENTRSAID ST VALOR)
//           0001 1 1001 "1"  0002 2025-01-01 2025-01-03 E  1500.00
//           0001 2 1002 "11" 0003 2025-01-31 2025-02-02 A   250.75
//           0001 3 1003 "2"  0001 2025-02-01 (null)     P    99.90
//           0001 7 1004 "1"  0002 2025-01-31 2025-01-31 P     0.01
//           0002 4 2001 "1"  0001 2025-01-15 2025-01-20 K  3200.10
//           0002 5 2002 "3"  0003 2025-03-10 2025-03-12 C    10.00
//           0003 6 3001 "11" 0001 2025-12-31 2026-01-05 E 12345.67
// EXPEDICAO one row per invoice with an exit date (all but entry 3), DTEXPEDICAO being the
//           exit date; entry 4 (K) canceled on 2025-01-23, the others not canceled.

// Fills the empty tables with the rows above, inside the caller's transaction.
void FillTestData(hostfw::Engine& engine);
// Creates the schema and the rows above on a database without the shared tables, in one
// transaction (on Firebird the tables first): a failure changes nothing.
void BuildTestDatabase(hostfw::Engine& engine);

}  // namespace demodb
