#pragma once

#include <string_view>

namespace hostfw {

// The stored definition of the base report form, embedded at build time.
std::string_view FrmDadosGerRelDefinition();

}  // namespace hostfw
