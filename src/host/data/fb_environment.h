#pragma once

#include <signal.h>

namespace hostfw::fb {

// Sets the process up for Firebird's client library, once, before the library reads its
// configuration. Unless FIREBIRD already names a configuration folder (the administrator's
// choice holds), it points to a private folder whose firebird.conf runs the embedded engine in
// SuperClassic mode and otherwise takes the system's settings: several processes (the host and
// its application server) may then open one database file at once, where Firebird's default
// lets only the first one in.
void PrepareClientEnvironment();

// Keeps what the program does on SIGINT and SIGTERM across a call that attaches to a database:
// Firebird's client library takes both over on its first attachment, to shut its connections
// down and let the program run on, so that Ctrl+C and a service stop would no longer end it.
class KeptSignalHandling {
public:
    KeptSignalHandling();
    ~KeptSignalHandling();
    KeptSignalHandling(const KeptSignalHandling&) = delete;
    KeptSignalHandling& operator=(const KeptSignalHandling&) = delete;

private:
    struct sigaction interrupt_ {};
    struct sigaction terminate_ {};
};

}  // namespace hostfw::fb
