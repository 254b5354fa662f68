#include "session/session_values.h"

#include <strings.h>

#include <charconv>

#include "host/session/session.h"
#include "scripts/script_error.h"
#include "session/person_limits.h"

namespace host {
namespace {

bool Named(std::string_view name, std::string_view expected) {
    return name.size() == expected.size() &&
           strncasecmp(name.data(), expected.data(), expected.size()) == 0;
}

void RefuseIf(const std::optional<std::string>& refusal) {
    if (refusal)
        throw ScriptError(*refusal);
}

bool ParseBoolean(const std::string& value) {
    if (value == "true")
        return true;
    if (value == "false")
        return false;
    throw ScriptError("ModuFili espera true ou false, não '" + value + "'.");
}

}  // namespace

std::optional<int> ParsePort(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || port < 1 ||
        port > 65535) {
        return std::nullopt;
    }
    return port;
}

void AssignSessionValue(hostfw::DataContext& context, std::string_view name,
                        const std::string& value) {
    hostfw::SessionSettings& session = context.Session();
    if (Named(name, "FiliProc")) {
        RefuseIf(BranchRefusal(session, value));
        session.filiProc = value;
    } else if (Named(name, "ModuFili")) {
        const bool bound = ParseBoolean(value);
        RefuseIf(BindingRefusal(session, bound));
        session.moduFili = bound;
    } else if (Named(name, "WebURL")) {
        session.webUrl = value;
    } else if (Named(name, "WebPort")) {
        const std::optional<int> port = ParsePort(value);
        if (!port)
            throw ScriptError("WebPort espera uma porta de 1 a 65535, não '" + value + "'.");
        session.webPort = *port;
    } else if (Named(name, "Database")) {
        RefuseIf(DatabaseChangeRefusal(session));
        context.Database().Close();
        session.database = value;
        // The standby was a copy of the database left: reports read on the new one.
        session.reportDatabase.clear();
    } else if (Named(name, "ReportDir")) {
        session.reportDir = value;
    } else if (Named(name, "OutputDir")) {
        session.outputDir = value;
    } else if (Named(name, "Printer")) {
        session.printer = value;
    } else {
        throw ScriptError("valor de sessão desconhecido '" + std::string(name) +
                          "'; use FiliProc, ModuFili, WebURL, WebPort, Database, ReportDir, "
                          "OutputDir, Printer ou PreviewFile.");
    }
}

}  // namespace host
