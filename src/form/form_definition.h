#pragma once

#include <string_view>

namespace Cli_exp03600 {

// The stored definition of TfrmRelConsLanc, embedded at build time.
std::string_view FrmRelConsLancDefinition();

}  // namespace Cli_exp03600
