// exp036-host: the host application of the report module: its main window for a person, or
// driven by a UI script (headless or through the real windows) or by the report subcommand.
#include <iostream>
#include <string>
#include <vector>

#include "desktop/desktop_mode.h"
#include "host/data/database_names_help.h"
#include "host_options.h"
#include "report_mode.h"
#include "script_mode.h"

int main(int argc, char** argv) {
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
