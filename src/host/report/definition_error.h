#pragma once

#include <filesystem>
#include <string>

namespace hostfw {

// Raises "Definição de relatório inválida em '<file>': <what>." for any fault of a definition,
// whether found on loading it or on running it.
[[noreturn]] void ThrowInvalidDefinition(const std::filesystem::path& file,
                                         const std::string& what);

}  // namespace hostfw
