#include "host/data/fb_script.h"

#include "host/data/engine.h"
#include "host/data/sql_tokens.h"

namespace hostfw {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::vector<std::string> ScriptStatements(std::string_view script) {
    const std::vector<SqlToken> tokens = SqlTokens(script, EngineKind::Firebird);
    std::vector<std::string> statements;
    std::string terminator = ";";
    std::size_t first = 0;  // the first token of the statement being read
    std::size_t begin = 0;  // where its text starts
    const auto end = [&](std::size_t last, std::size_t at) {
        const std::size_t count = last - first;
        if (count >= 2 && IsSqlWord(tokens[first], "SET") && IsSqlWord(tokens[first + 1], "TERM")) {
            const std::size_t from = tokens[first + 1].start + tokens[first + 1].text.size();
            const std::string_view chosen = Trimmed(script.substr(from, at - from));
            if (!chosen.empty())
                terminator = chosen;
        } else if (count > 0) {
            statements.emplace_back(Trimmed(script.substr(begin, at - begin)));
        }
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.kind != SqlToken::Kind::Symbol ||
            script.substr(token.start, terminator.size()) != terminator) {
            continue;
        }
        const std::size_t at = token.start;
        const std::size_t length = terminator.size();
        end(i, at);
        begin = at + length;
        while (i + 1 < tokens.size() && tokens[i + 1].start < begin)
            ++i;
        first = i + 1;
    }
    end(tokens.size(), script.size());
    return statements;
}

}  // namespace hostfw
