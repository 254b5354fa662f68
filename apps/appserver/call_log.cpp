#include "call_log.h"

#include <algorithm>
#include <ctime>

namespace appserver {
namespace {

std::string LocalTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

// A text from a client or the database must neither break the one-line format nor send
// control sequences to a terminal.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, ' ');
    return text;
}

}  // namespace

void CallLog::Write(const CallLogEntry& entry) {
    std::string line = LocalTimestamp() + " " + entry.httpMethod + " " + OneLine(entry.path) + " " +
                       std::to_string(entry.status) + " " +
                       (entry.elapsedMs ? std::to_string(*entry.elapsedMs) + " ms" : "- ms") +
                       " rows=" + (entry.rows ? std::to_string(*entry.rows) : "-") + " " +
                       OneLine(entry.outcome) + "\n";
    const std::lock_guard lock(mutex_);
    out_ << line << std::flush;
}

void CallLog::Warn(const std::string& text) {
    const std::string line = LocalTimestamp() + " aviso: " + OneLine(text) + "\n";
    const std::lock_guard lock(mutex_);
    out_ << line << std::flush;
}

}  // namespace appserver
