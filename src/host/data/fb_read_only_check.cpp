#include "host/data/fb_read_only_check.h"

#include <strings.h>

#include <firebird/Interface.h>

#include <vector>

#include "host/data/sql_tokens.h"
#include "host/data/transaction.h"

namespace hostfw {
namespace {

[[noreturn]] void Refuse() {
    throw ReadOnlyRefusal();
}

bool IsWord(const SqlToken& token, std::string_view word) {
    return token.kind == SqlToken::Kind::Word && token.text.size() == word.size() &&
           strncasecmp(token.text.data(), word.data(), word.size()) == 0;
}

}  // namespace

void RefuseWritingWords(std::string_view sql) {
    const std::vector<SqlToken> tokens = SqlTokens(sql);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        const bool nextValue =
            IsWord(token, "NEXT") && i + 1 < tokens.size() && IsWord(tokens[i + 1], "VALUE");
        if (nextValue || IsWord(token, "GEN_ID") || IsWord(token, "RDB$SET_CONTEXT") ||
            IsWord(token, "EXECUTE")) {
            Refuse();
        }
    }
}

void RefuseWritingStatement(unsigned statementType) {
    if (statementType != isc_info_sql_stmt_select)
        Refuse();
}

}  // namespace hostfw
