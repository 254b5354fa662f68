#include "db/demodb_options.h"

#include <charconv>

#include "host/core/exception.h"

namespace demodb {
namespace {

template <typename Number>
Number ParseNumber(const std::string& option, const std::string& text, Number max) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > max) {
        throw hostfw::Exception(option + " espera um número inteiro de 0 a " + std::to_string(max) +
                                ", não \"" + text + "\".");
    }
    return value;
}

}  // namespace

const char* const kDemodbUsage =
    "uso: exp036-demodb BANCO [--invoices N] [--seed S] [--force] [--test-data]\n"
    "\n"
    "Cria as tabelas do banco compartilhado e as preenche com dados de demonstração.\n"
    "BANCO é o arquivo SQLite (criado se não existir) ou uma conexão PostgreSQL\n"
    "(postgresql://... ou \"host=... dbname=...\").\n"
    "\n"
    "  --invoices N  quantidade de notas fiscais (padrão 5000)\n"
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
            options.invoices = ParseNumber(argument, value(), kMaxInvoices);
            demoOptionGiven = true;
        } else if (argument == "--seed") {
            options.seed = ParseNumber(argument, value(), UINT64_MAX);
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
        throw hostfw::Exception("--test-data grava dados fixos; não use --invoices nem --seed.");
    }
    return options;
}

}  // namespace demodb
