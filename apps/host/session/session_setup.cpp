#include "session/session_setup.h"

#include "command_line/host_paths.h"
#include "host/session/session.h"

namespace host {

void ApplySessionOptions(const HostOptions& options, hostfw::SessionSettings& session) {
    // The report command's branch is the session's too: its saved choices are found, and its
    // colleagues' shared ones reached, in that branch as in the window's.
    session.filiProc = options.branch;
    session.moduFili = options.locked;
    if (options.serverHost) {
        session.webUrl = *options.serverHost;
        session.webPort = options.serverPort;
        session.otherServers = options.otherServers;
    }
    session.database = options.database;
    session.reportDir = options.reportDir.value_or(DefaultReportDir()).string();
    session.outputDir = options.outputDir.string();
    session.printer = options.printer;
    if (options.serverTimeoutSeconds)
        session.serverTimeouts.read = std::chrono::seconds(*options.serverTimeoutSeconds);
    if (options.serverReplySizeLimit)
        session.serverReplySizeLimit = *options.serverReplySizeLimit;
    session.serverCaFile = options.caFile;
    session.serverPlainPassword = options.serverPlainPassword;
}

}  // namespace host
