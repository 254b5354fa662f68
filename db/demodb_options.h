#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/demo_data.h"

namespace demodb {

// What the exp036-demodb command line asks for.
struct DemodbOptions {
    std::string database;  // SQLite file, PostgreSQL connection string or Firebird database
    long long invoices = DemoOptions{}.invoices;
    int clients = DemoOptions{}.clients;
    std::uint64_t seed = DemoOptions{}.seed;
    bool force = false;     // replace the shared database's tables if they exist
    bool testData = false;  // the small fixed test data instead of the demo data
    bool help = false;
};

extern const char* const kDemodbUsage;

// Reads the arguments after the program name; bad input raises hostfw::Exception with a
// message for the user.
DemodbOptions ParseDemodbOptions(const std::vector<std::string>& arguments);

}  // namespace demodb
