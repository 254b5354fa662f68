#include "script_commands.h"

#include "script_error.h"

namespace host {
namespace {

const ScriptCommand* FindIn(std::span<const ScriptCommand> commands, std::string_view verb) {
    for (const ScriptCommand& command : commands) {
        if (command.verb == verb)
            return &command;
    }
    return nullptr;
}

void expect(ScriptContext& context, ArgumentReader& arguments) {
    const std::string kind = arguments.Word();
    const ScriptCommand* expectation = FindIn(Expectations(), kind);
    if (expectation == nullptr)
        throw ScriptError("expectativa desconhecida '" + kind + "'.");
    ArgumentReader rest(arguments.Rest(), expectation->usage);
    expectation->run(context, rest);
}

constexpr ScriptCommand kExpect = {"expect", "expect TIPO ...", expect};

}  // namespace

const ScriptCommand* FindCommand(std::string_view verb) {
    if (verb == kExpect.verb)
        return &kExpect;
    if (const ScriptCommand* action = FindIn(ActionCommands(), verb))
        return action;
    return FindIn(AnswerCommands(), verb);
}

}  // namespace host
