#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

namespace appserver {

struct CallLogEntry {
    std::string httpMethod;
    std::string path;
    int status = 0;
    std::optional<long long> elapsedMs;  // unknown for requests refused before any handler
    std::optional<std::size_t> rows;     // only for data-packet results
    std::string outcome;                 // "ok" or the error text
};

// One line per call, written whole even when worker threads log at the same time:
// "2026-01-31 14:05:09 POST /exp03600.rdmRelConsLanc/GetNota 200 12 ms rows=5 ok".
class CallLog {
public:
    explicit CallLog(std::ostream& out) : out_(out) {}
    void Write(const CallLogEntry& entry);
    // A line of its own about something that is no one request's: "... aviso: TEXT".
    void Warn(const std::string& text);

private:
    std::mutex mutex_;
    std::ostream& out_;
};

}  // namespace appserver
