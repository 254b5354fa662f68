#include "firebird_base_tables.h"

#include <array>
#include <string>

#include "host/data/engine.h"
#include "host/data/transaction.h"

namespace admin {
namespace {

struct BaseTable {
    const char* name;  // the table today, the view afterwards
    const char* base;
    const char* create;  // the base table and its indexes, as schema.sql has the table
};

// Referenced tables first: rows are copied in this order and the old tables dropped in reverse.
constexpr std::array<BaseTable, 3> kBaseTables{{
    {"NOTAFISCAL", "NOTAFISCAL_BASE",
     "CREATE TABLE NOTAFISCAL_BASE ("
     " CDFILIAL VARCHAR(8) NOT NULL REFERENCES FILIAL (CDFILIAL),"
     " NRLANCTONF VARCHAR(10) NOT NULL,"
     " NRNOTAFISC VARCHAR(20) NOT NULL,"
     " CDCLIENTE VARCHAR(21) NOT NULL REFERENCES CLIENTE (CDCLIENTE),"
     " CDFILIDEST VARCHAR(8) NOT NULL REFERENCES FILIAL (CDFILIAL),"
     " DTEMISSAO DATE NOT NULL,"
     " DTENTRSAID DATE,"
     " IDSTATUSNF CHAR(1) NOT NULL CHECK (IDSTATUSNF IN ('P', 'E', 'A', 'C', 'K')),"
     " VRTOTALNF NUMERIC(15, 2) NOT NULL,"
     " PRIMARY KEY (CDFILIAL, NRLANCTONF),"
     " UNIQUE (NRLANCTONF));"
     "CREATE INDEX NOTAFISCAL_BASE_EMISSAO ON NOTAFISCAL_BASE (CDFILIAL, DTEMISSAO);"},
    {"EXPEDICAO", "EXPEDICAO_BASE",
     "CREATE TABLE EXPEDICAO_BASE ("
     " CDFILIAL VARCHAR(8) NOT NULL,"
     " NRLANCTONF VARCHAR(10) NOT NULL,"
     " DTEXPEDICAO DATE NOT NULL,"
     " DTCANCEXPED DATE,"
     " PRIMARY KEY (CDFILIAL, NRLANCTONF),"
     " FOREIGN KEY (CDFILIAL, NRLANCTONF) REFERENCES NOTAFISCAL_BASE (CDFILIAL, NRLANCTONF));"
     "CREATE INDEX EXPEDICAO_BASE_CANCELAMENTO ON EXPEDICAO_BASE (CDFILIAL, DTCANCEXPED);"},
    {"CONSULTA_SALVA", "CONSULTA_SALVA_BASE",
     "CREATE TABLE CONSULTA_SALVA_BASE ("
     " PESSOA VARCHAR(63) NOT NULL,"
     " FILIAL VARCHAR(10) NOT NULL,"
     " RELATORIO VARCHAR(32) NOT NULL,"
     " NOME VARCHAR(120) NOT NULL,"
     " COMPARTILHADA INTEGER DEFAULT 0 NOT NULL,"
     " ESCOLHAS BLOB SUB_TYPE TEXT NOT NULL,"
     " MOMENTO TIMESTAMP DEFAULT CURRENT_TIMESTAMP NOT NULL,"
     " PRIMARY KEY (PESSOA, RELATORIO, NOME));"},
}};

hostfw::TParams NameParam(const char* name) {
    hostfw::TParams params;
    params.CreateParam("NOME").SetAsString(name);
    return params;
}

bool Exists(hostfw::Engine& engine, const char* name) {
    return engine
        .Query("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :NOME", NameParam(name))
        ->Next();
}

// A table of rows, not (yet) the view.
bool IsTable(hostfw::Engine& engine, const char* name) {
    return engine
        .Query(
            "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :NOME "
            "AND RDB$VIEW_BLR IS NULL",
            NameParam(name))
        ->Next();
}

bool IsEmpty(hostfw::Engine& engine, const char* table) {
    // The names are the program's own, never a text from outside.
    return !engine.Query(std::string("SELECT FIRST 1 1 FROM ") + table, hostfw::TParams())->Next();
}

}  // namespace

void MoveRowsToBaseTables(hostfw::Engine& engine) {
    for (const BaseTable& table : kBaseTables) {
        if (IsTable(engine, table.name) && !Exists(engine, table.base))
            engine.ExecuteScript(table.create);
    }
    // Scripts, which are never kept prepared: a statement kept on a table keeps it from being
    // dropped.
    {
        hostfw::Transaction transaction(engine);
        for (const BaseTable& table : kBaseTables) {
            if (IsTable(engine, table.name) && IsEmpty(engine, table.base)) {
                engine.ExecuteScript(std::string("INSERT INTO ") + table.base + " SELECT * FROM " +
                                     table.name);
            }
        }
        transaction.Commit();
    }
    hostfw::Transaction transaction(engine);
    for (auto table = kBaseTables.rbegin(); table != kBaseTables.rend(); ++table) {
        if (IsTable(engine, table->name))
            engine.ExecuteScript(std::string("DROP TABLE ") + table->name);
    }
    transaction.Commit();
}

}  // namespace admin
