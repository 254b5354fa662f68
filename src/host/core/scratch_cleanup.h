#pragma once

#include <filesystem>

#include "hostfw_export.h"

namespace hostfw {

// A file or folder that exists only while a write is under way (a staged file, a print
// folder). While it is registered, a signal that ends the process (SIGTERM, SIGINT, SIGHUP)
// removes it first, so an export killed half-way leaves none of the client data it held.
class HOSTFW_EXPORT ScratchRegistration {
public:
    enum class Kind { File, Folder };

    // A path too long to keep, or more scratch than the table holds, is not registered: a later
    // run removes it then (RemoveAbandonedScratch).
    ScratchRegistration(const std::filesystem::path& path, Kind kind);
    ~ScratchRegistration();
    ScratchRegistration(const ScratchRegistration&) = delete;
    ScratchRegistration& operator=(const ScratchRegistration&) = delete;

private:
    int slot_ = -1;
};

// Installs the handlers of SIGTERM, SIGINT and SIGHUP that remove the registered scratch and
// then end the process by the same signal, as it would have ended. A signal whose disposition
// is not the default (ignored by whoever started the process) is left alone.
HOSTFW_EXPORT void RemoveScratchOnTermination();

}  // namespace hostfw
