#pragma once

#include <optional>
#include <string>
#include <vector>

#include "get_nota_test_mode.h"

namespace appserver {

struct ServerOptions {
    std::string database;  // SQLite path or PostgreSQL connection string
    std::string listenHost = "127.0.0.1";
    int port = 8080;  // 0 picks a free port
    int threads = 4;
    std::size_t maxBody = 1024 * 1024;
    int timeoutSeconds = 30;
    // An idle keep-alive connection holds a worker thread: it is closed after this long.
    int keepAliveSeconds = 5;
    bool testObjects = false;
    GetNotaTestMode getNotaTestMode = GetNotaTestMode::Off;
};

// The options, or nullopt when --help was asked for. Raises std::invalid_argument with a
// clear text for an unknown option, a missing or malformed value, or a missing --db.
std::optional<ServerOptions> parseServerOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace appserver
