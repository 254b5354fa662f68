#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// Sets a session value by the name a script uses, letter case ignored: FiliProc, ModuFili,
// WebURL, WebPort, Database, ReportDir, OutputDir, Printer. Raises ScriptError for an
// unknown name or a value the setting cannot hold.
void AssignSessionValue(std::string_view name, const std::string& value);

// A TCP port, 1 to 65535.
std::optional<int> ParsePort(std::string_view text);

}  // namespace host
