#include "host/data/pg_password.h"

#include "host/core/exception.h"
#include "host/data/pg_engine.h"

namespace hostfw {

std::string EncryptedPassword(Engine& engine, const std::string& role,
                              const std::string& password) {
    auto* postgres = dynamic_cast<PgEngine*>(&engine);
    if (postgres == nullptr)
        throw Exception("Senhas de pessoas só existem num banco PostgreSQL.");
    return postgres->EncryptPassword(password, role);
}

}  // namespace hostfw
