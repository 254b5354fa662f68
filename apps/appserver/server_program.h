#pragma once

#include <functional>
#include <string>
#include <vector>

#include "remote_object.h"

namespace appserver {

// What sets one server program apart: the shipped server and the tests' server share
// everything else.
struct ServerProgram {
    // Takes the program's own options out of the command line before the common ones are
    // read; raises std::invalid_argument for a bad one.
    std::function<void(std::vector<std::string>& args)> takeOwnOptions;
    std::function<RemoteObjectRegistry()> offeredObjects;
    // Lines added to the help text.
    std::string ownUsage;
};

// The whole program: reads the command line, serves until SIGTERM or SIGINT, and returns the
// exit status (2 for a bad command line, 1 for a failure to start).
int RunServerProgram(const std::vector<std::string>& args, const ServerProgram& program);

}  // namespace appserver
