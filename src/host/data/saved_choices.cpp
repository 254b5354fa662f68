#include "host/data/saved_choices.h"

#include <string_view>

#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/data/engine.h"
#include "host/data/table_setup.h"
#include "host/data/transaction.h"

namespace hostfw {

// Defined by the embedding of saved_choices_table.sql and saved_choices_table_firebird.sql.
std::string_view SavedChoicesTableSql();
std::string_view SavedChoicesTableFirebirdSql();

namespace {

constexpr std::size_t kMaxNameLength = 120;

std::string NoChoiceNamed(const std::string& name) {
    return "Não há consulta salva com o nome \"" + name + "\".";
}

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

// A name a person may give a choice: not blank, at most kMaxNameLength characters.
void CheckName(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos)
        throw Exception("Informe um nome para a consulta salva.");
    if (Utf8Length(name) > kMaxNameLength) {
        throw Exception("O nome da consulta salva tem no máximo " + std::to_string(kMaxNameLength) +
                        " caracteres.");
    }
}

void RefuseTakenName(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                     const std::string& name) {
    if (FindOwn(engine, OwnerParams(owner, report, name))) {
        throw Exception("Já existe uma consulta salva com o nome \"" + name +
                        "\". Escolha outro nome.");
    }
}

// The person's own choice of that name, which only they may change. A colleague's shared
// choice of that name is refused by name; on PostgreSQL the database's policies refuse it too.
StoredChoice OwnChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                       const std::string& name) {
    StoredChoice found = UsableChoice(engine, owner, report, name);
    if (found.person != owner.person) {
        throw Exception("A consulta salva \"" + name + "\" é de " + found.person +
                        ": só quem a salvou pode renomeá-la, excluí-la ou mudar quem a vê.");
    }
    return found;
}

// Runs an UPDATE or DELETE of the person's row `name` (params from OwnerParams). A row gone
// meanwhile, or out of the person's reach, changes nothing and is refused as missing.
void ChangeOwn(Engine& engine, const std::string& name, std::string_view sql,
               const TParams& params) {
    if (engine.Execute(sql, params) != 1)
        throw Exception(NoChoiceNamed(name));
}

constexpr std::string_view kOwnRow =
    " WHERE PESSOA = :PESSOA AND RELATORIO = :RELATORIO AND NOME = :NOME";

void Insert(Engine& engine, TParams& params, bool shared, const std::string& choices) {
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
    CreateTableOnce(engine, "CONSULTA_SALVA", SavedChoicesTableSql(),
                    SavedChoicesTableFirebirdSql());
}

void SaveChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                const std::string& name, bool shared, const std::string& choices) {
    CheckName(name);
    RefuseTakenName(engine, owner, report, name);
    TParams params = OwnerParams(owner, report, name);
    Insert(engine, params, shared, choices);
}

StoredChoice RenameChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                          const std::string& name, const std::string& newName) {
    CheckName(newName);
    // The name checked free is still free when the row takes it.
    Transaction transaction(engine);
    StoredChoice choice = OwnChoice(engine, owner, report, name);
    if (newName == name)
        return choice;
    RefuseTakenName(engine, owner, report, newName);
    TParams params = OwnerParams(owner, report, name);
    params.CreateParam("NOVO_NOME").SetAsString(newName);
    ChangeOwn(engine, name, "UPDATE CONSULTA_SALVA SET NOME = :NOVO_NOME" + std::string(kOwnRow),
              params);
    transaction.Commit();
    choice.name = newName;
    return choice;
}

StoredChoice DeleteChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                          const std::string& name) {
    StoredChoice choice = OwnChoice(engine, owner, report, name);
    ChangeOwn(engine, name, "DELETE FROM CONSULTA_SALVA" + std::string(kOwnRow),
              OwnerParams(owner, report, name));
    return choice;
}

StoredChoice ShareChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                         const std::string& name, bool shared) {
    StoredChoice choice = OwnChoice(engine, owner, report, name);
    TParams params = OwnerParams(owner, report, name);
    params.CreateParam("COMPARTILHADA").SetAsVariant(Variant(shared ? 1 : 0));
    // Shared with the branch the person works in now, as a new save would be.
    ChangeOwn(engine, name,
              "UPDATE CONSULTA_SALVA SET COMPARTILHADA = CAST(:COMPARTILHADA AS INTEGER), "
              "FILIAL = :FILIAL" +
                  std::string(kOwnRow),
              params);
    choice.shared = shared;
    return choice;
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

StoredChoice UsableChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                          const std::string& name) {
    auto found = FindChoice(engine, owner, report, name);
    if (!found)
        throw Exception(NoChoiceNamed(name));
    return std::move(*found);
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
        Insert(engine, params, false, choices);
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
