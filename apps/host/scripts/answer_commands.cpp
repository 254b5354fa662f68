#include "scripts/script_commands.h"
#include "scripts/script_error.h"

namespace host {
namespace {

// The keys of a pick line: words split at commas, quoted texts taken whole.
std::vector<std::string> PickedKeys(std::vector<Token> tokens) {
    std::vector<std::string> keys;
    for (const Token& token : tokens) {
        if (token.kind == Token::Kind::Text) {
            keys.push_back(token.value);
            continue;
        }
        size_t start = 0;
        while (start <= token.value.size()) {
            size_t comma = token.value.find(',', start);
            if (comma == std::string::npos)
                comma = token.value.size();
            if (comma > start)
                keys.push_back(token.value.substr(start, comma - start));
            start = comma + 1;
        }
    }
    return keys;
}

bool IsKeyword(const Token& token, std::string_view word) {
    return token.kind == Token::Kind::Word && token.value == word;
}

int CurrentLine(const ScriptContext& context) {
    return context.ui.Status().Line();
}

void Pick(ScriptContext& context, ArgumentReader& arguments) {
    std::vector<Token> tokens = arguments.Rest();
    ListAnswer answer{CurrentLine(context), std::vector<std::string>{}};
    if (!tokens.empty() && IsKeyword(tokens.front(), "available")) {
        // The keys a saved choice kept: those no row has any more are left out.
        answer.leaveOutMissing = true;
        answer.value = PickedKeys({tokens.begin() + 1, tokens.end()});
    } else if (tokens.size() == 1 && IsKeyword(tokens.front(), "cancel")) {
        answer.value.reset();
    } else if (!(tokens.size() == 1 && IsKeyword(tokens.front(), "none"))) {
        answer.value = PickedKeys(tokens);
        if (answer.value->empty())
            arguments.Misused();
    }
    context.ui.QueuePick(std::move(answer));
}

void Choose(ScriptContext& context, ArgumentReader& arguments) {
    const Token token = arguments.Any();
    arguments.End();
    RowAnswer answer{CurrentLine(context), token.value};
    if (IsKeyword(token, "cancel"))
        answer.value.reset();
    context.ui.QueueChoice(std::move(answer));
}

void Answer(ScriptContext& context, ArgumentReader& arguments) {
    const Token token = arguments.Any();
    arguments.End();
    TextAnswer reply{CurrentLine(context), token.value};
    if (IsKeyword(token, "cancel")) {
        reply.value.reset();
    } else if (token.kind != Token::Kind::Text) {
        arguments.Misused();
    }
    context.ui.QueueText(std::move(reply));
}

void Login(ScriptContext& context, ArgumentReader& arguments) {
    LoginAnswer answer{CurrentLine(context), std::nullopt};
    const Token user = arguments.Any();
    if (!IsKeyword(user, "cancel")) {
        if (user.kind != Token::Kind::Text)
            arguments.Misused();
        answer.value = hostfw::Credentials{user.value, arguments.Text()};
    }
    arguments.End();
    context.ui.QueueLogin(std::move(answer));
}

void Wait(ScriptContext& context, ArgumentReader& arguments) {
    if (!IsKeyword(arguments.Any(), "cancel"))
        arguments.Misused();
    arguments.End();
    context.ui.QueueWait({CurrentLine(context), std::nullopt});
}

constexpr ScriptCommand kCommands[] = {
    {"pick", "pick CHAVE,CHAVE,...|none|cancel", Pick},
    {"choose", "choose CHAVE|cancel", Choose},
    {"answer", "answer \"TEXTO\"|cancel", Answer},
    {"login", "login \"USUÁRIO\" \"SENHA\"|cancel", Login},
    {"wait", "wait cancel", Wait},
};

}  // namespace

std::span<const ScriptCommand> AnswerCommands() {
    return kCommands;
}

}  // namespace host
