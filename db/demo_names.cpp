#include "db/demo_names.h"

#include <span>

namespace demodb {
namespace {

constexpr std::array<std::string_view, 16> kFirstNames = {
    "João",  "Maria", "José",      "Ana",    "Antônio", "Francisca", "Luís",     "Conceição",
    "Paulo", "Lúcia", "Sebastião", "Márcia", "Carlos",  "Helena",    "Raimundo", "Cecília"};
constexpr std::array<std::string_view, 16> kSurnames = {
    "Silva",  "Santos",  "Oliveira", "Souza",   "Pereira",   "Lima",   "Carvalho",  "Gonçalves",
    "Araújo", "Ribeiro", "Almeida",  "Barbosa", "Conceição", "Simões", "Magalhães", "Brandão"};
constexpr std::array<std::string_view, 12> kTrades = {
    "Mercado",     "Padaria",       "Auto Peças",
    "Farmácia",    "Distribuidora", "Comercial",
    "Armazém",     "Papelaria",     "Materiais de Construção",
    "Transportes", "Açougue",       "Confecções"};
constexpr std::array<std::string_view, 12> kTradeNames = {
    "Bom Jesus", "São José", "Primavera", "Central", "do Vale", "Boa Vista",
    "Aliança",   "Estrela",  "Paraná",    "Itaú",    "Ipê",     "Nossa Senhora"};
constexpr std::array<std::string_view, 5> kCompanySuffixes = {" Ltda", " ME", " S.A.", " EIRELI",
                                                              ""};

struct FixedName {
    int clientNumber;
    std::string_view name;
};
constexpr std::array<FixedName, 4> kFixedNames = {{
    {7, "Café & Cia, Ltda"},
    {13, "O \"Rei\" do Pão"},
    {21, "Padaria D'Ávila"},
    {42, "Mercadinho 100% Econômico"},
}};

std::string_view Pick(DemoRandom& random, std::span<const std::string_view> choices) {
    return choices[random.Below(choices.size())];
}

}  // namespace

const std::array<std::string_view, 12>& BranchNames() {
    static constexpr std::array<std::string_view, 12> kNames = {
        "Matriz São Paulo",      "Filial Campinas", "Filial Ribeirão Preto", "Filial Santos",
        "Filial Curitiba",       "Filial Londrina", "Filial Porto Alegre",   "Filial Florianópolis",
        "Filial Belo Horizonte", "Filial Goiânia",  "Filial Salvador",       "Filial Recife"};
    return kNames;
}

std::string ClientName(DemoRandom& random, char kind) {
    std::string name;
    if (kind == 'F') {
        name.append(Pick(random, kFirstNames)).append(" ").append(Pick(random, kSurnames));
        name.append(" ").append(Pick(random, kSurnames));
    } else {
        name.append(Pick(random, kTrades)).append(" ").append(Pick(random, kTradeNames));
        name.append(Pick(random, kCompanySuffixes));
    }
    return name;
}

std::optional<std::string_view> FixedClientName(int clientNumber) {
    for (const FixedName& fixed : kFixedNames) {
        if (fixed.clientNumber == clientNumber)
            return fixed.name;
    }
    return std::nullopt;
}

}  // namespace demodb
