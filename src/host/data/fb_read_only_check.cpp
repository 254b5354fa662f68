#include "host/data/fb_read_only_check.h"

#include <firebird/Interface.h>

#include <vector>

#include "host/data/engine.h"
#include "host/data/sql_tokens.h"
#include "host/data/transaction.h"

namespace hostfw {
namespace {

[[noreturn]] void Refuse() {
    throw ReadOnlyRefusal();
}

}  // namespace

void RefuseWritingWords(std::string_view sql) {
    const std::vector<SqlToken> tokens = SqlTokens(sql, EngineKind::Firebird);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        const bool nextValue =
            IsSqlWord(token, "NEXT") && i + 1 < tokens.size() && IsSqlWord(tokens[i + 1], "VALUE");
        if (nextValue || IsSqlWord(token, "GEN_ID") || IsSqlWord(token, "RDB$SET_CONTEXT") ||
            IsSqlWord(token, "EXECUTE")) {
            Refuse();
        }
    }
}

void RefuseWritingStatement(unsigned statementType) {
    if (statementType != isc_info_sql_stmt_select)
        Refuse();
}

}  // namespace hostfw
