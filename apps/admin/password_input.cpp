#include "password_input.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "host/core/exception.h"

namespace admin {
namespace {

using hostfw::Exception;

// Echo off on the terminal for as long as it lives.
class HiddenInput {
public:
    HiddenInput() {
        if (tcgetattr(STDIN_FILENO, &saved_) != 0)
            throw Exception("A senha é pedida num terminal; sem terminal, use --password-stdin.");
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~HiddenInput() { tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_); }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

private:
    termios saved_{};
};

std::string askHidden(const char* prompt) {
    std::cerr << prompt << std::flush;
    HiddenInput hidden;
    std::string line;
    std::getline(std::cin, line);
    std::cerr << '\n';
    return line;
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
        password = askHidden("Senha: ");
        if (askHidden("Repita a senha: ") != password)
            throw Exception("As duas senhas não conferem.");
    }
    if (password.empty())
        throw Exception("A senha não pode ser vazia.");
    return password;
}

}  // namespace admin
