#include "db/demodb_options.h"

#include <charconv>

#include "host/core/exception.h"

namespace demodb {
namespace {

template <typename Number>
Number ParseNumber(const std::string& option, const std::string& text, Number min, Number max) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
        value > max) {
        throw hostfw::Exception(option + " espera um número inteiro de " + std::to_string(min) +
                                " a " + std::to_string(max) + ", não \"" + text + "\".");
    }
    return value;
}

}  // namespace

const char* const kDemodbUsage =
    "uso: exp036-demodb BANCO [--invoices N] [--clients N] [--seed S] [--force] [--test-data]\n"
    "\n"
    "Cria as tabelas do banco compartilhado e as preenche com dados de demonstração.\n"
    "BANCO é um arquivo SQLite (criado se não existir), uma conexão PostgreSQL ou um banco\n"
    "Firebird (criado se não existir); veja Bancos de dados, abaixo.\n"
    "\n"
    "  --invoices N  quantidade de notas fiscais (padrão 5000)\n"
    "  --clients N   quantidade de clientes, de 1 em diante (padrão 300)\n"
    "  --seed S      semente dos dados; a mesma semente gera os mesmos dados (padrão 1)\n"
    "  --force       recria as tabelas de um banco que já tem tabelas\n"
    "  --test-data   grava o pequeno conjunto fixo dos testes em vez da demonstração\n";

DemodbOptions ParseDemodbOptions(const std::vector<std::string>& arguments) {
    DemodbOptions options;
    bool demoOptionGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw hostfw::Exception(argument + " espera um valor.");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--invoices") {
            options.invoices = ParseNumber(argument, value(), 0LL, kMaxInvoices);
            demoOptionGiven = true;
        } else if (argument == "--clients") {
            // Invoices need a client to belong to.
            options.clients = ParseNumber(argument, value(), 1, kMaxClients);
            demoOptionGiven = true;
        } else if (argument == "--seed") {
            options.seed = ParseNumber<std::uint64_t>(argument, value(), 0, UINT64_MAX);
            demoOptionGiven = true;
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument == "--test-data") {
            options.testData = true;
        } else if (argument.rfind("-", 0) == 0 && argument.size() > 1) {
            throw hostfw::Exception("Opção desconhecida: " + argument);
        } else if (options.database.empty()) {
            options.database = argument;
        } else {
            throw hostfw::Exception("Informe um só banco de dados.");
        }
    }
    if (options.help)
        return options;
    if (options.database.empty())
        throw hostfw::Exception("Informe o banco de dados.");
    if (options.testData && demoOptionGiven) {
        throw hostfw::Exception(
            "--test-data grava dados fixos; não use --invoices, --clients nem --seed.");
    }
    return options;
}

}  // namespace demodb
