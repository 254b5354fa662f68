#pragma once

#include <fstream>
#include <istream>
#include <ostream>

#include "command_line/host_options.h"

namespace host {

// The script a run reads and the transcript it writes, as the options name them: files, or
// standard input ("-") and standard output (no --transcript). A script that cannot be opened
// raises an Exception naming it.
class ScriptStreams {
public:
    explicit ScriptStreams(const HostOptions& options);
    ScriptStreams(const ScriptStreams&) = delete;
    ScriptStreams& operator=(const ScriptStreams&) = delete;

    std::istream& Script() { return *script_; }
    std::ostream& Transcript() { return *transcript_; }

private:
    std::ifstream scriptFile_;
    std::ofstream transcriptFile_;
    std::istream* script_;
    std::ostream* transcript_;
};

}  // namespace host
