#include "scripts/script_mode.h"

#include <iostream>

#include "command_line/host_paths.h"
#include "host/core/exception.h"
#include "module/headless_host.h"
#include "report/report_audit.h"
#include "scripts/script_streams.h"
#include "session/session_setup.h"
#include "session/signed_in_session.h"

namespace host {
int RunScriptMode(const HostOptions& options) {
    ScriptStreams streams(options);
    std::istream& script = streams.Script();
    std::ostream& transcript = streams.Transcript();

    hostfw::HostContext context;
    ApplySessionOptions(options, context.Session());
    SignInForRun(context, options, AskOnTerminal, &transcript);
    const ReportAudit audit(context);
    HeadlessHost host(context, options.package.value_or(DefaultPackage()), transcript);
    if (host.Run(script))
        return 0;
    std::cerr << "exp036-host: " << DescribeFailure(*host.Status().Failure()) << '\n';
    return 1;
}

}  // namespace host
