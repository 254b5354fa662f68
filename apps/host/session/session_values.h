#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/data/data_context.h"

namespace host {

// Sets a value of the context's session by the name a script uses, letter case ignored: FiliProc,
// ModuFili, WebURL, WebPort, Database, ReportDir, OutputDir, Printer. Raises ScriptError for an
// unknown name or a value the setting cannot hold.
void AssignSessionValue(hostfw::DataContext& context, std::string_view name,
                        const std::string& value);

// A TCP port, 1 to 65535.
std::optional<int> ParsePort(std::string_view text);

}  // namespace host
