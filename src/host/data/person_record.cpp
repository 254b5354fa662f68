#include "host/data/person_record.h"

#include "host/core/exception.h"
#include "host/data/engine.h"

namespace hostfw {

bool KeepsPeople(Engine& engine) {
    const char* sql = nullptr;
    switch (engine.Kind()) {
        case EngineKind::SQLite:
            return false;
        case EngineKind::PostgreSQL:
            sql = "SELECT CASE WHEN to_regclass('usuario') IS NULL THEN 0 ELSE 1 END";
            break;
        case EngineKind::Firebird:
            sql = "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'USUARIO'";
            break;
    }
    const auto keepsPeople = engine.Query(sql, TParams());
    return keepsPeople->Next() && keepsPeople->Value(0).AsInteger() == 1;
}

std::optional<Person> SignedInPersonRecord(Engine& engine) {
    if (!KeepsPeople(engine))
        return std::nullopt;
    // A person of a Firebird database reads their own row through PESSOA_ATUAL only.
    const auto row = engine.Query(
        engine.Kind() == EngineKind::Firebird
            ? "SELECT CAST(CURRENT_USER AS VARCHAR(63)), u.NOME, u.CDFILIAL, "
              "CASE WHEN u.VINCULADO THEN 1 ELSE 0 END, CASE WHEN u.ATIVO THEN 1 ELSE 0 END "
              "FROM RDB$DATABASE LEFT JOIN PESSOA_ATUAL u ON 1 = 1"
            : "SELECT CAST(current_user AS VARCHAR(63)), u.NOME, u.CDFILIAL, "
              "CASE WHEN u.VINCULADO THEN 1 ELSE 0 END, CASE WHEN u.ATIVO THEN 1 ELSE 0 END "
              "FROM (SELECT 1) AS eu LEFT JOIN USUARIO u ON u.LOGIN = current_user",
        TParams());
    if (!row->Next())
        throw Exception("Não foi possível ler o cadastro da pessoa.");
    const std::string login = row->Value(0).AsString();
    if (row->Value(1).IsEmptyOrNull())
        throw Exception("O login " + login + " não é de uma pessoa cadastrada no EXP036.");
    if (row->Value(4).AsInteger() == 0)
        throw Exception("A pessoa " + login + " está desativada.");
    return Person{login, row->Value(1).AsString(), row->Value(2).AsString(),
                  row->Value(3).AsInteger() == 1};
}

}  // namespace hostfw
