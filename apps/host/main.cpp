// exp036-host: the host application of the report module: its main window for a person, or
// driven by a UI script (headless or through the real windows) or by the report subcommand.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "command_line/host_options.h"
#include "desktop/desktop_mode.h"
#include "host/core/scratch_cleanup.h"
#include "host/data/database_names_help.h"
#include "report/report_mode.h"
#include "scripts/script_mode.h"

int main(int argc, char** argv) {
    // A reader that goes away (a pipe into head) makes the write fail with its reason and the run
    // end with status 1, rather than the process die of SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    // A run ended by a signal takes its half-written files with it.
    hostfw::RemoveScratchOnTermination();
    host::HostOptions options;
    try {
        options = host::ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const host::UsageError& e) {
        std::cerr << "exp036-host: " << e.what()
                  << "\nUse exp036-host --help para ver as opções.\n";
        return 2;
    }
    try {
        switch (options.mode) {
            case host::HostOptions::Mode::Help:
                std::cout << host::kHostUsage << hostfw::kDatabaseNamesHelp;
                return 0;
            case host::HostOptions::Mode::Report:
                return host::RunReportMode(options);
            case host::HostOptions::Mode::Script:
                return options.gui ? host::RunGuiScriptMode(options, argc, argv)
                                   : host::RunScriptMode(options);
            case host::HostOptions::Mode::Desktop:
                return host::RunDesktopMode(options, argc, argv);
        }
    } catch (const std::exception& e) {
        std::cerr << "exp036-host: " << e.what() << '\n';
    }
    return 2;
}
