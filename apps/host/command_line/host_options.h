#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// A command line the host cannot run; the message says why, in the user's words.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

enum class ReportFormat { Text, Pdf, Csv, Xlsx };

// The report subcommand's choices, each as the user would enter it on the form.
struct ReportChoices {
    std::optional<std::string> from;  // dd/mm/yyyy, typed into the initial date
    std::optional<std::string> to;
    std::optional<int> variant;           // 0: issue date, 1: shipping cancellation
    std::optional<std::string> statuses;  // letters of P, E, A, C
    std::optional<std::vector<std::string>> clients;
    std::optional<std::vector<std::string>> destinations;
    std::optional<std::vector<std::string>> invoices;
    ReportFormat format = ReportFormat::Text;
    // --csv-dialect br: the CSV as Brazilian spreadsheets read it (semicolons, decimal comma,
    // byte-order mark); padrao (the default): RFC 4180.
    bool brazilianCsv = false;
    bool csvDialectGiven = false;
    std::optional<std::filesystem::path> out;
    // Lists that come from a saved choice: a key gone since is left out with a notice.
    struct SavedKeys {
        bool clients = false;
        bool destinations = false;
        bool invoices = false;
    } savedKeys;
    // A saved choice to start from (--preset NAME), or the last query (--last).
    std::optional<std::string> preset;
    bool last = false;
};

struct HostOptions {
    // Desktop: the main window for a person; Script: a UI script, headless or (gui) through
    // the real windows.
    enum class Mode { Script, Report, Help, Desktop };
    Mode mode = Mode::Script;
    bool gui = false;
    std::optional<std::filesystem::path> screenshots;  // a PNG of every window shown

    std::string database;
    std::string reportDatabase;  // a streaming standby of `database` for the reports' reads
    int reportLagSeconds = 30;   // how far behind the standby may be
    std::optional<std::filesystem::path> reportDir;  // default: see DefaultReportDir
    std::filesystem::path outputDir = "output";
    std::optional<std::string> serverHost;
    int serverPort = 0;
    std::vector<std::pair<std::string, int>> otherServers;  // after the first of --server a,b
    std::string branch;
    bool locked = false;
    std::string printer;
    std::optional<int> serverTimeoutSeconds;          // the application server's replies
    std::optional<std::size_t> serverReplySizeLimit;  // bytes
    std::string caFile;  // authorities of an https:// server's certificate; empty: the system's
    bool serverPlainPassword = false;  // the password may go to an http:// server in clear
    std::optional<std::filesystem::path> package;  // default: next to the executable
    std::string script;                            // a file, or "-" for standard input
    std::optional<std::filesystem::path> transcript;
    // The language of Qt's own texts in the windows (pt_BR unless asked otherwise).
    std::optional<std::string> language;
    ReportChoices report;
};

// Reads the arguments after the program name. Raises UsageError for anything it cannot use.
HostOptions ParseHostOptions(const std::vector<std::string>& arguments);

// "HOST:PORT" split; nullopt when it is not of that form.
std::optional<std::pair<std::string, int>> ParseServerAddress(const std::string& text);

// What --help prints.
extern const char* const kHostUsage;

}  // namespace host
