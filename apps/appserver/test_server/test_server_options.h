#pragma once

#include <string>
#include <vector>

#include "get_nota_test_mode.h"

namespace appserver {

// The options only the tests' server has.
struct TestServerOptions {
    bool testObjects = false;
    GetNotaTestMode getNotaTestMode = GetNotaTestMode::Off;
};

// Takes --test-objects and --test-getnota MODE out of args, leaving the common options;
// raises std::invalid_argument for an unknown mode or a missing one.
TestServerOptions TakeTestServerOptions(std::vector<std::string>& args);

extern const char* const kTestServerUsage;

}  // namespace appserver
