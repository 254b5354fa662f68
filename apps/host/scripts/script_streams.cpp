#include "scripts/script_streams.h"

#include <filesystem>
#include <iostream>

#include "host/core/exception.h"
#include "scripts/transcript.h"

namespace host {

ScriptStreams::ScriptStreams(const HostOptions& options)
    : script_(&std::cin), transcript_(&std::cout) {
    if (options.script != "-") {
        // A folder opens like a file and reads as an empty script: refuse it by name.
        std::error_code ignored;
        if (std::filesystem::is_directory(options.script, ignored))
            throw hostfw::Exception("O script '" + options.script + "' é uma pasta.");
        scriptFile_.open(options.script);
        if (!scriptFile_)
            throw hostfw::Exception("Não foi possível abrir o script '" + options.script + "'.");
        script_ = &scriptFile_;
    }
    if (options.transcript) {
        transcriptFile_ = OpenTranscriptFile(*options.transcript);
        transcript_ = &transcriptFile_;
    }
}

}  // namespace host
