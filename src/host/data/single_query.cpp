#include "host/data/single_query.h"

#include <algorithm>
#include <vector>

#include "host/data/sql_tokens.h"

namespace hostfw {
namespace {

// Words that only a statement that writes holds: a data-changing part of a WITH, or
// SELECT ... INTO, which creates a table.
constexpr std::string_view kWritingWords[] = {"INSERT", "UPDATE", "DELETE", "MERGE", "INTO"};

// Functions whose effect outlives the read-only transaction a report runs in, or reaches past
// it: another connection (dblink, whose statements no read-only transaction of ours covers),
// the server's files, large objects, session locks and notifications, other sessions, a query
// given as text (which no check here would see), and SQLite's loading of code.
constexpr std::string_view kOutsideFunctionPrefixes[] = {
    "dblink",     "postgres_fdw", "pg_read_",        "pg_ls_",       "pg_file_",
    "pg_stat_",   "pg_advisory",  "pg_try_advisory", "pg_logical_",  "pg_replication_",
    "pg_create_", "pg_drop_",     "pg_background",   "query_to_xml", "cursor_to_xml",
    "http_",      "lo_",
};
constexpr std::string_view kOutsideFunctions[] = {
    "loread",
    "lowrite",
    "pg_notify",
    "pg_terminate_backend",
    "pg_cancel_backend",
    "pg_reload_conf",
    "pg_rotate_logfile",
    "pg_switch_wal",
    "pg_promote",
    "pg_import_system_collations",
    "http",
    "load_extension",
    "readfile",
    "writefile",
    "fts3_tokenizer",
};

bool IsSymbol(const SqlToken& token, char symbol) {
    return token.kind == SqlToken::Kind::Symbol && token.text.size() == 1 &&
           token.text[0] == symbol;
}

bool ReachesOutside(const std::string& name) {
    return std::any_of(std::begin(kOutsideFunctionPrefixes), std::end(kOutsideFunctionPrefixes),
                       [&](std::string_view prefix) { return name.starts_with(prefix); }) ||
           std::find(std::begin(kOutsideFunctions), std::end(kOutsideFunctions), name) !=
               std::end(kOutsideFunctions);
}

}  // namespace

std::optional<std::string> SingleQueryProblem(std::string_view sql, EngineKind engine) {
    std::vector<SqlToken> tokens = SqlTokens(sql, engine);
    while (!tokens.empty() && IsSymbol(tokens.back(), ';'))
        tokens.pop_back();
    if (std::any_of(tokens.begin(), tokens.end(),
                    [](const SqlToken& token) { return IsSymbol(token, ';'); })) {
        return "deveria ser uma única consulta, mas tem mais de um comando";
    }
    const auto first = std::find_if(tokens.begin(), tokens.end(),
                                    [](const SqlToken& token) { return !IsSymbol(token, '('); });
    if (first == tokens.end() || !(IsSqlWord(*first, "SELECT") || IsSqlWord(*first, "WITH")))
        return "deveria ser uma consulta (SELECT ou WITH ... SELECT)";
    for (const SqlToken& token : tokens) {
        for (const std::string_view word : kWritingWords) {
            if (IsSqlWord(token, word)) {
                return "deveria só ler dados, mas usa " + std::string(word);
            }
        }
        // A name is refused wherever it stands: called, or taken as a column in PostgreSQL's
        // functional notation (x.f is f(x)).
        const std::string name = SqlName(token);
        if (token.kind == SqlToken::Kind::Identifier && name.empty()) {
            return "usa um nome com escapes Unicode (" + std::string(token.text.substr(0, 3)) +
                   "...\"), que não é aceito";
        }
        if (ReachesOutside(name)) {
            return "não pode usar " + std::string(token.text) +
                   ": a função age fora da transação do relatório";
        }
    }
    return std::nullopt;
}

}  // namespace hostfw
