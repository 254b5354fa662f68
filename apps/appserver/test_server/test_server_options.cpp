#include "test_server_options.h"

#include <stdexcept>

namespace appserver {
namespace {

GetNotaTestMode ModeNamed(const std::string& name) {
    const auto mode = GetNotaTestModeFromName(name);
    if (!mode) {
        throw std::invalid_argument("--test-getnota: modo desconhecido '" + name +
                                    "' (use off, kind-c, error ou empty).");
    }
    return *mode;
}

}  // namespace

const char* const kTestServerUsage = R"(
Só no servidor de testes:
  --test-objects      oferece também o objeto de teste exp036.Teste
  --test-getnota MODO GetNota para testes: off (padrão), kind-c (grava "C" no
                      argumento 9), error (responde com erro), empty (pacote vazio),
                      slow (um comando longo no banco antes da consulta)
)";

TestServerOptions TakeTestServerOptions(std::vector<std::string>& args) {
    TestServerOptions options;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--test-objects") {
            options.testObjects = true;
        } else if (arg == "--test-getnota") {
            if (i + 1 == args.size())
                throw std::invalid_argument("--test-getnota: falta o valor.");
            options.getNotaTestMode = ModeNamed(args[++i]);
        } else if (arg.rfind("--test-getnota=", 0) == 0) {
            options.getNotaTestMode = ModeNamed(arg.substr(arg.find('=') + 1));
        } else {
            rest.push_back(arg);
        }
    }
    args = std::move(rest);
    return options;
}

}  // namespace appserver
