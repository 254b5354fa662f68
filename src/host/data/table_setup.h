#pragma once

#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// A table of the framework's, created where it is missing. SQLite and PostgreSQL run
// `portableSql` (CREATE TABLE IF NOT EXISTS) as it is; Firebird 3 has no IF NOT EXISTS, so
// `firebirdSql` runs there only when no table of that name exists.
void CreateTableOnce(Engine& engine, const std::string& table, std::string_view portableSql,
                     std::string_view firebirdSql);

// Whether a table of that name (as the program writes it) exists in the schema in use.
HOSTFW_EXPORT bool HasTable(Engine& engine, const std::string& table);

// Drops the table when it exists (DROP TABLE IF EXISTS, which Firebird 3 lacks). `table` is a
// name written in the program, never a text from outside.
HOSTFW_EXPORT void DropTableIfExists(Engine& engine, const std::string& table);

}  // namespace hostfw
