#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace appserver {

struct ServerOptions {
    std::string database;  // SQLite path or PostgreSQL connection string
    std::string listenHost = "127.0.0.1";
    int port = 8080;  // 0 picks a free port
    int threads = 4;  // calls run at the same time, each with its own database connection
    std::size_t maxBody = 1024 * 1024;
    int timeoutSeconds = 30;         // running time of a call, and sending its reply
    int requestTimeoutSeconds = 10;  // receiving a whole request, from its first byte
    int keepAliveSeconds = 5;        // an idle connection is closed after this long
    int maxConnections = 4096;       // open at once; more wait to be accepted
    // Open at once from one client address: room for an office of about a hundred workstations
    // behind one NAT address, each holding its kept-alive connection (docs/reliability.md).
    int maxClientConnections = 128;
    int signInIdleMinutes = 15;       // a sign-in unused this long ends
    int connectionIdleSeconds = 300;  // a person's database connection unused this long closes
    // The key the servers behind one balancer share, so a sign-in holds on all of them; without
    // it a key of this process alone.
    std::string sessionKeyFile;
    bool insecure = false;  // serve beyond loopback without TLS and sign-in
    // Balancers whose PROXY protocol (version 2) header names the client; their connections
    // must start with one.
    std::set<std::string> trustedProxies;
    // After SIGTERM the health check says "draining" for this long before the server stops,
    // so a balancer stops sending it calls first.
    int drainSeconds = 0;
    // A streaming standby where the calls read while it has replayed the primary's work of less
    // than reportLagSeconds ago; empty: the primary.
    std::string reportDatabase;
    int reportLagSeconds = 30;
    std::string tlsCert;  // PEM certificate chain; with tlsKey, the server speaks TLS
    std::string tlsKey;
};

// The options, or nullopt when --help was asked for. Raises std::invalid_argument with a
// clear text for an unknown option, a missing or malformed value, or a missing --db.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace appserver
