#include "host/data/saved_choices.h"

#include <string_view>

#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/data/engine.h"

namespace hostfw {

// Defined by the embedding of saved_choices_table.sql.
std::string_view SavedChoicesTableSql();

namespace {

constexpr std::size_t kMaxNameLength = 120;

TParams OwnerParams(const ChoiceOwner& owner, const std::string& report, const std::string& name) {
    TParams params;
    params.CreateParam("PESSOA").SetAsString(owner.person);
    params.CreateParam("FILIAL").SetAsString(owner.branch);
    params.CreateParam("RELATORIO").SetAsString(report);
    params.CreateParam("NOME").SetAsString(name);
    return params;
}

StoredChoice ReadChoice(Cursor& rows) {
    return StoredChoice{rows.Value(0).AsString(), rows.Value(1).AsString(),
                        rows.Value(2).AsInteger() != 0, rows.Value(3).AsString()};
}

// The person's own choices and those the people of their branch share, own first.
constexpr std::string_view kVisible =
    "SELECT PESSOA, NOME, COMPARTILHADA, ESCOLHAS FROM CONSULTA_SALVA "
    "WHERE RELATORIO = :RELATORIO AND NOME <> '' "
    "AND (PESSOA = :PESSOA OR (COMPARTILHADA = 1 AND FILIAL = :FILIAL)) ";

std::optional<StoredChoice> FindOwn(Engine& engine, const TParams& params) {
    auto rows = engine.Query(
        "SELECT PESSOA, NOME, COMPARTILHADA, ESCOLHAS FROM CONSULTA_SALVA "
        "WHERE PESSOA = :PESSOA AND RELATORIO = :RELATORIO AND NOME = :NOME",
        params);
    if (!rows->Next())
        return std::nullopt;
    return ReadChoice(*rows);
}

void insert(Engine& engine, TParams& params, bool shared, const std::string& choices) {
    params.CreateParam("COMPARTILHADA").SetAsVariant(Variant(shared ? 1 : 0));
    params.CreateParam("ESCOLHAS").SetAsString(choices);
    engine.Execute(
        "INSERT INTO CONSULTA_SALVA (PESSOA, FILIAL, RELATORIO, NOME, COMPARTILHADA, ESCOLHAS) "
        "VALUES (:PESSOA, :FILIAL, :RELATORIO, :NOME, CAST(:COMPARTILHADA AS INTEGER), "
        ":ESCOLHAS)",
        params);
}

}  // namespace

void CreateSavedChoicesTable(Engine& engine) {
    engine.ExecuteScript(SavedChoicesTableSql());
}

void SaveChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                const std::string& name, bool shared, const std::string& choices) {
    if (name.find_first_not_of(" \t") == std::string::npos)
        throw Exception("Informe um nome para a consulta salva.");
    if (Utf8Length(name) > kMaxNameLength) {
        throw Exception("O nome da consulta salva tem no máximo " + std::to_string(kMaxNameLength) +
                        " caracteres.");
    }
    TParams params = OwnerParams(owner, report, name);
    if (FindOwn(engine, params)) {
        throw Exception("Já existe uma consulta salva com o nome \"" + name +
                        "\". Escolha outro nome.");
    }
    insert(engine, params, shared, choices);
}

std::optional<StoredChoice> FindChoice(Engine& engine, const ChoiceOwner& owner,
                                       const std::string& report, const std::string& name) {
    const TParams params = OwnerParams(owner, report, name);
    auto rows = engine.Query(std::string(kVisible) +
                                 "AND NOME = :NOME ORDER BY CASE WHEN PESSOA = :PESSOA THEN 0 "
                                 "ELSE 1 END, PESSOA",
                             params);
    if (!rows->Next())
        return std::nullopt;
    return ReadChoice(*rows);
}

std::vector<StoredChoice> ListChoices(Engine& engine, const ChoiceOwner& owner,
                                      const std::string& report) {
    const TParams params = OwnerParams(owner, report, "");
    auto rows =
        engine.Query(std::string(kVisible) +
                         "ORDER BY CASE WHEN PESSOA = :PESSOA THEN 0 ELSE 1 END, NOME, PESSOA",
                     params);
    std::vector<StoredChoice> choices;
    while (rows->Next())
        choices.push_back(ReadChoice(*rows));
    return choices;
}

void KeepLastQuery(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                   const std::string& choices) {
    TParams params = OwnerParams(owner, report, "");
    engine.BeginTransaction();
    try {
        engine.Execute(
            "DELETE FROM CONSULTA_SALVA WHERE PESSOA = :PESSOA AND RELATORIO = :RELATORIO "
            "AND NOME = :NOME",
            params);
        insert(engine, params, false, choices);
        engine.Commit();
    } catch (...) {
        engine.Rollback();
        throw;
    }
}

std::optional<std::string> LastQuery(Engine& engine, const ChoiceOwner& owner,
                                     const std::string& report) {
    const auto own = FindOwn(engine, OwnerParams(owner, report, ""));
    if (!own)
        return std::nullopt;
    return own->choices;
}

}  // namespace hostfw
