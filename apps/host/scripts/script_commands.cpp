#include "scripts/script_commands.h"

#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

const ScriptCommand* FindIn(std::span<const ScriptCommand> commands, std::string_view verb) {
    for (const ScriptCommand& command : commands) {
        if (command.verb == verb)
            return &command;
    }
    return nullptr;
}

void Expect(ScriptContext& context, ArgumentReader& arguments) {
    const std::string kind = arguments.Word();
    const ScriptCommand* expectation = FindIn(Expectations(), kind);
    if (expectation == nullptr)
        throw ScriptError("expectativa desconhecida '" + kind + "'.");
    ArgumentReader rest(arguments.Rest(), expectation->usage);
    expectation->run(context, rest);
}

constexpr ScriptCommand kExpect = {"expect", "expect TIPO ...", Expect};

}  // namespace

const ScriptCommand* FindCommand(std::string_view verb) {
    if (verb == kExpect.verb)
        return &kExpect;
    if (const ScriptCommand* action = FindIn(ActionCommands(), verb))
        return action;
    return FindIn(AnswerCommands(), verb);
}

bool IsActingLine(const std::string& line) {
    const std::vector<Token> tokens = TokenizeScriptLine(line);
    return !tokens.empty() && !(tokens.front().kind == Token::Kind::Word &&
                                FindIn(AnswerCommands(), tokens.front().value) != nullptr);
}

void ExecuteScriptLine(ScriptContext& context, const std::string& line) {
    std::vector<Token> tokens = TokenizeScriptLine(line);
    if (tokens.empty())
        return;
    if (tokens.front().kind != Token::Kind::Word)
        throw ScriptError("a linha começa com um comando, não com um texto.");
    const ScriptCommand* command = FindCommand(tokens.front().value);
    if (command == nullptr)
        throw ScriptError("comando desconhecido '" + tokens.front().value + "'.");
    tokens.erase(tokens.begin());
    ArgumentReader arguments(std::move(tokens), command->usage);
    command->run(context, arguments);
}

}  // namespace host
