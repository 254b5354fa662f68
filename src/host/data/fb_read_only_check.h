#pragma once

#include <string_view>

namespace hostfw {

// What a Firebird read-only transaction lets through although it changes something that
// stays: a sequence moved on (GEN_ID, NEXT VALUE FOR) or a session's context variable set
// (RDB$SET_CONTEXT), and EXECUTE BLOCK or EXECUTE STATEMENT, whose work may run elsewhere.
// Refused before the statement reaches the server, with the message every engine gives.
void RefuseWritingWords(std::string_view sql);

// A statement of any type but a plain query (isc_info_sql_stmt_select): among them COMMIT and
// SET TRANSACTION, which would end the read-only transaction itself.
void RefuseWritingStatement(unsigned statementType);

}  // namespace hostfw
