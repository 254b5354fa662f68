#include "database_health.h"

namespace appserver {

DatabaseHealth::DatabaseHealth(std::string database)
    : answers_(std::move(database), [](hostfw::Engine& engine) {
          const char* probe = engine.Kind() == hostfw::EngineKind::Firebird
                                  ? "SELECT 1 FROM RDB$DATABASE"
                                  : "SELECT 1";
          return engine.Query(probe, hostfw::TParams())->Next();
      }) {}

DispatchResult DatabaseHealth::Answer() const {
    if (draining_)
        return ErrorResult(503, "drenando: o servidor vai parar.");
    if (!answers_.Answer())
        return ErrorResult(503, "o banco de dados não responde.");
    return {200, "{\"version\":1,\"estado\":\"pronto\"}", std::nullopt, "pronto", std::nullopt};
}

}  // namespace appserver
