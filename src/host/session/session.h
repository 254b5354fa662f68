#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/session/net_timeouts.h"
#include "host/session/reply_size_limit.h"

#include "hostfw_export.h"

namespace hostfw {

// A person signed in to a shared database, as its table of people records it.
struct Person {
    std::string login;
    std::string name;
    std::string homeBranch;
    bool bound = false;  // works only in the home branch
};

// The user's session, set by the host application: working branch, whether the session
// is bound to it, the application server's address, the shared database and the folders
// of report definitions and report output.
struct SessionSettings {
    std::string filiProc;
    bool moduFili = false;
    std::string webUrl = "127.0.0.1";
    int webPort = 8211;
    // More servers of the same service, tried in turn when one leaves a call unanswered.
    std::vector<std::pair<std::string, int>> otherServers;
    std::string database;  // SQLite file path or PostgreSQL connection string
    // A PostgreSQL streaming standby of `database` where reports read while it has replayed the
    // primary's work of less than reportLagSeconds ago; empty: they read on `database`.
    std::string reportDatabase;
    int reportLagSeconds = 30;
    std::string reportDir;  // report definitions
    std::string outputDir;  // printed reports
    std::string printer;    // empty: the system's default printer, else a file only
    // Imprimir keeps its PDF in the output folder and prints it only on the printer named
    // (the report command's PDF), rather than print and keep the PDF only without a printer.
    bool keepPrintedPdf = false;
    // Taken by each new connection to the application server.
    NetTimeouts serverTimeouts;
    std::size_t serverReplySizeLimit = kDefaultReplySizeLimit;
    // Authorities a server's certificate may be signed by (PEM); empty: the system's.
    std::string serverCaFile;
    // The person accepts that the password goes in clear to a server reached over http://.
    bool serverPlainPassword = false;
    // Who signed in to a shared database; nobody on the embedded default.
    std::optional<Person> person;
};

// A person bound to a branch works in that branch, bound, whatever the settings say.
HOSTFW_EXPORT std::string FiliProc(const SessionSettings& session);
HOSTFW_EXPORT bool ModuFili(const SessionSettings& session);

}  // namespace hostfw
