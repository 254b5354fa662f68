#include "password_input.h"

#include "host/core/exception.h"
#include "host/core/terminal_input.h"

namespace admin {
namespace {

using hostfw::Exception;

std::string AskOnTerminal(const char* prompt) {
    std::optional<std::string> answer = hostfw::AskHiddenOnTerminal(prompt);
    if (!answer)
        throw Exception("A senha é pedida num terminal; sem terminal, use --password-stdin.");
    return *answer;
}

}  // namespace

std::string ReadNewPassword(bool fromStream, std::istream& in) {
    std::string password;
    if (fromStream) {
        if (!std::getline(in, password))
            throw Exception("Nenhuma senha na entrada padrão.");
        if (!password.empty() && password.back() == '\r')
            password.pop_back();
    } else {
        password = AskOnTerminal("Senha: ");
        if (AskOnTerminal("Repita a senha: ") != password)
            throw Exception("As duas senhas não conferem.");
    }
    if (password.empty())
        throw Exception("A senha não pode ser vazia.");
    return password;
}

}  // namespace admin
