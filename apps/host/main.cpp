// exp036-host: the host application of the report module, headless, driven by a UI script
// or by the report subcommand.
#include <iostream>
#include <string>
#include <vector>

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
                std::cout << host::kHostUsage;
                return 0;
            case host::HostOptions::Mode::Report:
                return host::RunReportMode(options);
            case host::HostOptions::Mode::Script:
                return host::RunScriptMode(options);
        }
    } catch (const std::exception& e) {
        std::cerr << "exp036-host: " << e.what() << '\n';
    }
    return 2;
}
