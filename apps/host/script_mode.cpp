#include "script_mode.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "headless_host.h"
#include "host/core/exception.h"
#include "host_paths.h"
#include "report_audit.h"
#include "session_setup.h"
#include "signed_in_session.h"

namespace host {
int RunScriptMode(const HostOptions& options) {
    std::ifstream scriptFile;
    if (options.script != "-") {
        // A folder opens like a file and reads as an empty script: refuse it by name.
        std::error_code ignored;
        if (std::filesystem::is_directory(options.script, ignored))
            throw hostfw::Exception("O script '" + options.script + "' é uma pasta.");
        scriptFile.open(options.script);
        if (!scriptFile)
            throw hostfw::Exception("Não foi possível abrir o script '" + options.script + "'.");
    }
    std::istream& script = options.script == "-" ? std::cin : scriptFile;
    std::ofstream transcriptFile;
    if (options.transcript)
        transcriptFile = OpenTranscriptFile(*options.transcript);
    std::ostream& transcript = options.transcript ? transcriptFile : std::cout;

    ApplySessionOptions(options);
    SignInForRun(options, AskOnTerminal, &transcript);
    const ReportAudit audit;
    HeadlessHost host(options.package.value_or(DefaultPackage()), transcript);
    if (host.Run(script))
        return 0;
    std::cerr << "exp036-host: " << DescribeFailure(*host.Status().Failure()) << '\n';
    return 1;
}

}  // namespace host
