#include "host/report/definition_error.h"

#include "host/core/exception.h"

namespace hostfw {

void ThrowInvalidDefinition(const std::filesystem::path& file, const std::string& what) {
    throw Exception("Definição de relatório inválida em '" + file.string() + "': " + what + ".");
}

}  // namespace hostfw
