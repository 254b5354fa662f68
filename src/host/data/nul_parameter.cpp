#include "host/data/nul_parameter.h"

#include "host/core/exception.h"

namespace hostfw {

void RefuseNul(const std::string& name, std::string_view value) {
    if (value.find('\0') != std::string_view::npos) {
        throw Exception("Erro no banco de dados: o parâmetro " + name +
                        " contém o caractere NUL, que o banco de dados não aceita.");
    }
}

}  // namespace hostfw
